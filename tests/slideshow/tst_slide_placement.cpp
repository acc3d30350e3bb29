// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_placement.h"

#include <QtTest>

using namespace lf;

namespace {
constexpr int W = 19200; // 1280 x 1024 pixels
constexpr int H = 15360;
} // namespace

class tst_slide_placement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Status bar margin 300 twips above and below when shown.
    void placement_data()
    {
        QTest::addColumn<int>("ow");
        QTest::addColumn<int>("oh");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("natural size") << 6000 << 4500 << true << false << true << 6000 << 4500;
        QTest::newRow("tall, bar shown") << 10000 << 20000 << true << false << true << 7380 << 14760;
        QTest::newRow("tall, bar hidden") << 10000 << 20000 << false << false << true << 7680 << 15360;
        QTest::newRow("too wide") << 40000 << 10000 << true << false << true << 19200 << 4800;
        QTest::newRow("fit 4:3 to width") << 6000 << 4500 << true << true << true << 19200 << 14400;
        QTest::newRow("fit 5:4 by height, 800 narrower") << 5000 << 4000 << true << true << true << 18400 << 14720;
        QTest::newRow("exactly 800 narrower: kept") << 18400 << 3000 << true << true << true << 18400 << 3000;
        QTest::newRow("700 narrower: kept") << 18500 << 3000 << true << true << true << 18500 << 3000;
        QTest::newRow("fit portrait to height") << 3000 << 6000 << true << true << true << 7380 << 14760;
        QTest::newRow("single, taller than the screen") << 6000 << 5500 << false << true << false << 19200 << 17600;
        QTest::newRow("single portrait") << 3000 << 6000 << false << true << false << 7380 << 14760;
    }
    void placement()
    {
        QFETCH(int, ow);
        QFETCH(int, oh);
        PlacementInput in;
        in.original_width = ow;
        in.original_height = oh;
        in.screen_width = W;
        in.screen_height = H;
        in.status_margin = 300;
        QFETCH(bool, bar);
        QFETCH(bool, fit);
        QFETCH(bool, show);
        in.status_shown = bar;
        in.fit_mode = fit;
        in.slide_show = show;
        const TwipRect r = place_picture(in);
        QTEST(r.width, "width");
        QTEST(r.height, "height");
        QCOMPARE(r.left * 2 + r.width, W); // centred
        QCOMPARE(r.top * 2 + r.height, H);
    }

    void handover_size_is_kept_for_a_single_picture()
    {
        PlacementInput in{6000, 4500, W, H, false, 300, false, false, 9000, 6750};
        QCOMPARE(place_picture(in), (TwipRect{5100, 4305, 9000, 6750}));
        in.slide_show = true; // a slide show fits afresh
        QCOMPARE(place_picture(in).width, 6000);
    }

    void zoom_and_proportions()
    {
        const TwipRect in = zoom_picture(centred(6000, 4500, W, H), true, 6000, 4500, W, H);
        QCOMPARE(in, (TwipRect{6000, 4980, 7200, 5400}));
        const TwipRect back = zoom_picture(in, false, 6000, 4500, W, H);
        QCOMPARE(back.width, 5760); // 1.2 x 0.8 = 0.96
        QCOMPARE(back.height, 4320);
        // Portrait pictures take their width from the height.
        const TwipRect p = restore_proportions(TwipRect{0, 0, 999, 6000}, 3000, 6000, W, H);
        QCOMPARE(p.width, 3000);
        QCOMPARE(p.height, 6000);
    }

    void moving_handover_size_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        // Limits: 12000 x 8000 twips.
        QTest::newRow("exactly the limits") << 12000 << 8000 << 12000 << 8000;
        QTest::newRow("too wide") << 24000 << 6000 << 12000 << 3000;
        QTest::newRow("too high") << 3000 << 16000 << 1500 << 8000;
        QTest::newRow("zoomed past both") << 30000 << 15000 << 12000 << 6000;
        QTest::newRow("nothing shown") << 0 << 0 << 15 << 15;
    }
    void moving_handover_size()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        const TwipRect r = lf::moving_handover_size(w, h, 12000, 8000);
        QTEST(r.width, "width");
        QTEST(r.height, "height");
    }

    void comment_text_shortens_past_80()
    {
        QCOMPARE(comment_text(QStringLiteral("/p/a.jpg"), 3, 12), QStringLiteral("/p/a.jpg (3/12)"));
        const QString eighty = QString(73, QLatin1Char('y')); // 80 with " (3/12)"
        QCOMPARE(comment_text(eighty, 3, 12), eighty + QStringLiteral(" (3/12)"));
        const QString path = QStringLiteral("/") + QString(70, QLatin1Char('x')) + QStringLiteral(".jpg");
        QCOMPARE(comment_text(path, 3, 12), QStringLiteral("...") + QString(68, QLatin1Char('x'))
                                                + QStringLiteral(".jpg (3/12)"));
    }

    void status_layout_rules()
    {
        StatusWidths w{1500, 1800, 1400, 1000, 600, 200, 700, 700, 5000, 270};
        StatusLayout l = status_layout(w, W, H);
        QCOMPARE(l.filename, (TwipRect{14200, 15090, 5000, 270}));
        QCOMPARE(l.show_hide.left, 0);
        QCOMPARE(l.autom.left, 1800);
        QCOMPARE(l.interval.left, 3900);
        // Room enough: right edge 300 left of the centre, forward 500 after.
        QCOMPARE(l.backward.left, 8600);
        QCOMPARE(l.forward.left, 9800);
        // Too close to l_unseen: 200 after it, forward 200 after that.
        w.unseen = 4000;
        l = status_layout(w, W, H);
        QCOMPARE(l.backward.left, right_edge(l.unseen) + 200);
        QCOMPARE(l.forward.left, right_edge(l.backward) + 200);
    }

    // The pointer is moved away inside the central 60 % of the screen.
    void pointer_rule_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("moved");
        QTest::newRow("centre") << 9600 << 7680 << true;
        QTest::newRow("on the 20 % line") << 3840 << 7680 << false;
        QTest::newRow("just inside") << 3841 << 3073 << true;
        QTest::newRow("edge strip") << 100 << 7680 << false;
        QTest::newRow("on the 80 % line") << 9600 << 12288 << false;
    }
    void pointer_rule()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QTEST(pointer_too_central(x, y, W, H), "moved");
    }
};

QTEST_GUILESS_MAIN(tst_slide_placement)
#include "tst_slide_placement.moc"
