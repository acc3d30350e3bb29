// SPDX-License-Identifier: GPL-3.0-or-later
#include "motion/motion_rules.h"

#include <QtTest>

using namespace lf;

namespace {
// Random numbers from a script: the axis pick first, then any change draws.
std::function<double()> script(QList<double> values)
{
    return [values, i = 0]() mutable { return i < values.size() ? values[i++] : 0.0; };
}
constexpr int W = 19200, H = 14400;
} // namespace

class tst_motion_rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A window 3000 x 2000 twips, 15 twips a step. Pick 0-0.49 moves
    // vertically, 0.5-0.99 horizontally; at an edge the direction turns.
    void step_data()
    {
        QTest::addColumn<QList<int>>("from"); // horizontal (3 left, 4 right), vertical (1 up, 2 down), x, y
        QTest::addColumn<double>("pick");
        QTest::addColumn<QList<int>>("to"); // x, y, horizontal, vertical
        QTest::newRow("up") << QList<int>{3, 1, 3000, 3000} << 0.0 << QList<int>{3000, 2985, 3, 1};
        QTest::newRow("down") << QList<int>{3, 2, 3000, 3000} << 0.49 << QList<int>{3000, 3015, 3, 2};
        QTest::newRow("left") << QList<int>{3, 2, 3000, 3000} << 0.5 << QList<int>{2985, 3000, 3, 2};
        QTest::newRow("right") << QList<int>{4, 2, 3000, 3000} << 0.99 << QList<int>{3015, 3000, 4, 2};
        QTest::newRow("right edge") << QList<int>{4, 1, W - 3000, 3000} << 0.9 << QList<int>{W - 3000, 3000, 3, 1};
        QTest::newRow("top") << QList<int>{3, 1, 3000, 0} << 0.0 << QList<int>{3000, 0, 3, 2};
        QTest::newRow("bottom") << QList<int>{3, 2, 3000, H - 2000} << 0.0 << QList<int>{3000, H - 2000, 3, 1};
        QTest::newRow("off both edges: horizontal first") << QList<int>{3, 1, -5, -5} << 0.0 << QList<int>{10, -20, 4, 1};
    }
    void step()
    {
        QFETCH(QList<int>, from);
        QFETCH(double, pick);
        // Direction changes far in the future.
        MotionState s{.horizontal_direction = from[0], .vertical_direction = from[1],
                      .next_horizontal_change = 1e9, .next_vertical_change = 1e9};
        const MotionTick t = motion_tick(s, {from[2], from[3], 3000, 2000}, W, H, 5.0, script({pick}));
        QTEST((QList<int>{t.left, t.top, s.horizontal_direction, s.vertical_direction}), "to");
    }

    // Draws: the pick, then the vertical and horizontal change times. Up
    // and left are chosen first, then both turned; the window comes on top.
    void first_tick_chooses_and_turns_both_directions()
    {
        MotionState s;
        const MotionTick t = motion_tick(s, {3000, 3000, 300, 300}, W, H, 100.0, script({0.0, 0.35, 0.99}));
        QCOMPARE((QList<int>{s.vertical_direction, s.horizontal_direction, t.top}), (QList<int>{2, 4, 3015}));
        QVERIFY(t.to_top && t.sopra);
    }

    // The size keys (grow, shrink, fill the work area 19200 x 13800), then
    // the fit to the picture's proportions: landscape 3:1, portrait 1:2.
    void sizing()
    {
        QCOMPARE(grow_moving({100, 200, 1200, 900}, W, 13800), (TwipRect{100, 200, 1260, 945}));
        QCOMPARE(grow_moving({200, 300, 18816, 3000}, W, 13800), (TwipRect{0, 300, 19200, 3150})); // width snaps
        QCOMPARE(shrink_moving({0, 0, 12000, 9000}), (TwipRect{0, 0, 11400, 8550}));
        QCOMPARE(fit_moving(fill_moving(W, 13800), true, 3.0), (TwipRect{0, 0, 19200, 6400}));
        QCOMPARE(fit_moving(fill_moving(W, 13800), false, 0.5), (TwipRect{0, 0, 6900, 13800}));
    }
};

QTEST_GUILESS_MAIN(tst_motion_rules)
#include "tst_motion_rules.moc"
