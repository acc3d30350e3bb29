// SPDX-License-Identifier: GPL-3.0-or-later
#include "motion/motion_rules.h"

#include <QtTest>

#include <cmath>
#include <deque>

using namespace lf;

namespace {
// Random numbers from a script: the axis pick first, then any change draws.
std::function<double()> script(std::deque<double> values)
{
    auto q = std::make_shared<std::deque<double>>(std::move(values));
    return [q] {
        const double v = q->empty() ? 0.0 : q->front();
        if (!q->empty())
            q->pop_front();
        return v;
    };
}
// A state whose direction changes are far in the future.
MotionState steady(int h, int v)
{
    MotionState s;
    s.horizontal_direction = h;
    s.vertical_direction = v;
    s.next_horizontal_change = 1e9;
    s.next_vertical_change = 1e9;
    return s;
}
constexpr int W = 19200, H = 14400;
} // namespace

class tst_motion_rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void step_data()
    {
        QTest::addColumn<int>("h_dir");
        QTest::addColumn<int>("v_dir");
        QTest::addColumn<double>("pick");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("new_x");
        QTest::addColumn<int>("new_y");
        QTest::addColumn<int>("new_h");
        QTest::addColumn<int>("new_v");
        // pick 1 and 2 move vertically, 3 and 4 horizontally.
        QTest::newRow("up") << 3 << 1 << 0.0 << 3000 << 3000 << 3000 << 2985 << 3 << 1;
        QTest::newRow("down") << 3 << 2 << 0.49 << 3000 << 3000 << 3000 << 3015 << 3 << 2;
        QTest::newRow("left") << 3 << 2 << 0.5 << 3000 << 3000 << 2985 << 3000 << 3 << 2;
        QTest::newRow("right") << 4 << 2 << 0.99 << 3000 << 3000 << 3015 << 3000 << 4 << 2;
        QTest::newRow("bounce off the right edge")
            << 4 << 1 << 0.9 << W - 3000 << 3000 << W - 3000 << 3000 << 3 << 1;
        QTest::newRow("bounce off the top") << 3 << 1 << 0.0 << 3000 << 0 << 3000 << 0 << 3 << 2;
        QTest::newRow("bounce off the bottom")
            << 3 << 2 << 0.0 << 3000 << H - 2000 << 3000 << H - 2000 << 3 << 1;
        QTest::newRow("off both edges: horizontal first")
            << 3 << 1 << 0.0 << -5 << -5 << 10 << -20 << 4 << 1;
    }
    void step()
    {
        QFETCH(int, h_dir);
        QFETCH(int, v_dir);
        QFETCH(double, pick);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, new_x);
        QFETCH(int, new_y);
        QFETCH(int, new_h);
        QFETCH(int, new_v);
        MotionState s = steady(h_dir, v_dir);
        const MotionTick t = motion_tick(s, {x, y, 3000, 2000}, W, H, 5.0, script({pick}));
        QCOMPARE(t.left, new_x);
        QCOMPARE(t.top, new_y);
        QCOMPARE(s.horizontal_direction, new_h);
        QCOMPARE(s.vertical_direction, new_v);
        QVERIFY(!t.to_top && !t.sopra);
    }

    void first_tick_chooses_and_turns_both_directions()
    {
        MotionState s;
        // pick, vertical spread draw, horizontal spread draw
        const MotionTick t = motion_tick(s, {3000, 3000, 300, 300}, W, H, 100.0,
                                         script({0.0, 0.35, 0.99}));
        QCOMPARE(s.vertical_direction, 2);   // chosen up, then turned
        QCOMPARE(s.horizontal_direction, 4); // chosen left, then turned
        QVERIFY(t.to_top && t.sopra);
        QCOMPARE(t.top, 3015);
    }

    // The size keys (grow, shrink, fill the work area 19200 x 13800), then
    // the fit to the picture's proportions when an aspect is given.
    void sizing_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QList<int>>("from");
        QTest::addColumn<double>("aspect"); // negative: portrait
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("grow by a twentieth") << "grow" << QList<int>{100, 200, 1200, 900} << 0.0
                                             << QList<int>{100, 200, 1260, 945};
        QTest::newRow("grow past the width snaps to it") << "grow" << QList<int>{200, 300, 18816, 3000}
                                                         << 0.0 << QList<int>{0, 300, 19200, 3150};
        QTest::newRow("grow past the height snaps to it") << "grow" << QList<int>{500, 900, 6000, 13500}
                                                          << 0.0 << QList<int>{500, 0, 6300, 13800};
        QTest::newRow("shrink by a twentieth") << "shrink" << QList<int>{0, 0, 12000, 9000} << 0.0
                                               << QList<int>{0, 0, 11400, 8550};
        QTest::newRow("fill, landscape 3:1") << "fill" << QList<int>{} << 3.0
                                             << QList<int>{0, 0, 19200, 6400};
        QTest::newRow("fill, portrait 1:2") << "fill" << QList<int>{} << -0.5
                                            << QList<int>{0, 0, 6900, 13800};
    }
    void sizing()
    {
        QFETCH(QString, op);
        QFETCH(QList<int>, from);
        QFETCH(double, aspect);
        const TwipRect w{from.value(0), from.value(1), from.value(2), from.value(3)};
        TwipRect g = op == "grow" ? grow_moving(w, W, 13800)
                   : op == "shrink" ? shrink_moving(w) : fill_moving(W, 13800);
        if (aspect != 0)
            g = fit_moving(g, aspect > 0, std::abs(aspect));
        QTEST((QList<int>{g.left, g.top, g.width, g.height}), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_motion_rules)
#include "tst_motion_rules.moc"
