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
        QCOMPARE(*s.next_vertical_change, 100.0 + 3 + 1);
        QCOMPARE(*s.next_horizontal_change, 100.0 + 9 + 1);
        QVERIFY(t.to_top);
        QVERIFY(t.sopra);
        QCOMPARE(t.top, 3015);
        // Before the change time nothing turns.
        motion_tick(s, {3000, 3015, 300, 300}, W, H, 103.5, script({0.0}));
        QCOMPARE(s.vertical_direction, 2);
    }

    void grow_near_full_width_snaps_to_the_screen()
    {
        const TwipRect g = grow_moving({200, 300, 18816, 3000}, W, H - 600);
        QCOMPARE(g.left, 0);
        QCOMPARE(g.width, W);
        QCOMPARE(g.height, 3150);
        QCOMPARE(g.top, 300);
        const TwipRect f = fit_moving(g, true, 18816.0 / 3000.0);
        QVERIFY(qAbs(f.width - W) <= 1); // rounding through the ratio
        QVERIFY(qAbs(f.height - qRound(W / (18816.0 / 3000.0))) <= 1);
    }

    void growing_past_the_work_area_snaps_the_height()
    {
        const TwipRect g = grow_moving({500, 900, 6000, 13500}, W, 13800);
        QCOMPARE(g.top, 0);
        QCOMPARE(g.height, 13800);
        const TwipRect f = fit_moving(g, false, 6000.0 / 13500.0);
        QVERIFY(qAbs(f.height - 13800) <= 1);
        QVERIFY(qAbs(f.width - qRound(13800 * 6000.0 / 13500.0)) <= 1);
    }

    void twenty_shrinks_keep_the_proportions()
    {
        const double aspect = 4.0 / 3.0;
        TwipRect g{0, 0, 12000, 9000};
        for (int i = 0; i < 20; ++i)
            g = fit_moving(shrink_moving(g), true, aspect);
        const double factor = double(g.width) / 12000.0;
        QVERIFY(std::abs(factor - std::pow(0.95, 20)) < 0.01);
        QVERIFY(std::abs(double(g.width) / g.height - aspect) < 0.01);
    }

    void fill_then_fit_keeps_inside_the_work_area()
    {
        const TwipRect f = fit_moving(fill_moving(W, H - 600), true, 3.0);
        QCOMPARE(f.left, 0);
        QCOMPARE(f.width, W);
        QCOMPARE(f.height, 6400);
        const TwipRect p = fit_moving(fill_moving(W, H - 600), false, 0.5);
        QCOMPARE(p.height, H - 600);
        QCOMPARE(p.width, (H - 600) / 2);
    }
};

QTEST_GUILESS_MAIN(tst_motion_rules)
#include "tst_motion_rules.moc"
