// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_placement.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

namespace {
constexpr int W = 19200; // 1280 x 1024 pixels
constexpr int H = 15360;
constexpr int margin = 300;
} // namespace

class tst_slide_placement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<int>("ow");
        QTest::addColumn<int>("oh");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        // 400 x 300 pixels = 6000 x 4500 twips.
        QTest::newRow("natural size, centred") << 6000 << 4500 << true << false << true << 6000 << 4500;
        // Tall: 20000 twips high, ratio 0.5.
        QTest::newRow("tall, bar shown") << 10000 << 20000 << true << false << true
                                         << (H - 2 * margin) / 2 << H - 2 * margin;
        QTest::newRow("tall, bar hidden") << 10000 << 20000 << false << false << true << H / 2 << H;
        QTest::newRow("too wide") << 40000 << 10000 << true << false << true << W << W / 4;
        // Fit mode, slide show, landscape 4:3 small: W / ratio = 14400 < H - 600.
        QTest::newRow("fit landscape to width") << 6000 << 4500 << true << true << true << W << 14400;
        // Landscape 5:4: W / ratio = 15360 >= H - 600: H * ratio - 800 wide.
        QTest::newRow("fit landscape by height") << 5000 << 4000 << true << true << true
                                                 << 19200 - 800 << (19200 - 800) * 4 / 5;
        QTest::newRow("landscape exactly 800 narrower") << W - 800 << 3000 << true << true << true << W - 800 << 3000;
        QTest::newRow("landscape wider than W - 800") << W - 700 << 3000 << true << true << true << W - 700 << 3000;
        QTest::newRow("fit portrait to height") << 3000 << 6000 << true << true << true
                                                << (H - 600) / 2 << H - 600;
        QTest::newRow("fit single landscape to width") << 6000 << 4500 << false << true << false << W << 14400;
        QTest::newRow("fit single landscape taller than screen") << 6000 << 5500 << false << true << false
                                                                 << W << 17600;
        QTest::newRow("fit single portrait") << 3000 << 6000 << false << true << false << (H - 600) / 2 << H - 600;
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
        QFETCH(bool, bar);
        QFETCH(bool, fit);
        QFETCH(bool, show);
        in.status_shown = bar;
        in.status_margin = margin;
        in.fit_mode = fit;
        in.slide_show = show;
        const TwipRect r = place_picture(in);
        QTEST(r.width, "width");
        QTEST(r.height, "height");
        QCOMPARE(r.left, (W - r.width) / 2);
        QCOMPARE(r.top, (H - r.height) / 2);
    }

    void handover_size_is_kept_for_a_single_picture()
    {
        PlacementInput in{6000, 4500, W, H, false, margin, false, false, 9000, 6750};
        QCOMPARE(place_picture(in), (TwipRect{(W - 9000) / 2, (H - 6750) / 2, 9000, 6750}));
        in.slide_show = true; // a slide show fits afresh
        QCOMPARE(place_picture(in).width, 6000);
    }

    void zoom_and_proportions()
    {
        const TwipRect r = centred(6000, 4500, W, H);
        const TwipRect in = zoom_picture(r, true, 6000, 4500, W, H);
        QCOMPARE(in.width, 7200);
        QCOMPARE(in.height, 5400);
        QCOMPARE(in.left, (W - 7200) / 2);
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
        QTest::newRow("fits: kept") << 6000 << 4500 << 6000 << 4500;
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

    void captions_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("random");
        QTest::addColumn<bool>("autom");
        QTest::addColumn<bool>("wrapped");
        QTest::addColumn<QString>("show_hide");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("unseen");
        QTest::newRow("visible, random, auto") << true << true << true << false << "Hide status (H)"
                                               << " Random " << "Manual/Auto*(F9)" << " Unseen=7";
        QTest::newRow("hidden, sequential, manual, wrapped")
            << false << false << false << true << QString(400, QLatin1Char(' ')) << "Sequential"
            << "Manual*/Auto(F9)" << " Unseen=(7)";
    }
    void captions()
    {
        QFETCH(bool, visible);
        QFETCH(bool, random);
        QFETCH(bool, autom);
        QFETCH(bool, wrapped);
        const StatusCaptions c = status_captions(visible, random, autom, 2000, 7, wrapped);
        QTEST(c.show_hide, "show_hide");
        QTEST(c.random, "order");
        QTEST(c.autom, "mode");
        QTEST(c.unseen, "unseen");
        QCOMPARE(c.interval, QStringLiteral("Interval=2000"));
        QCOMPARE(c.exit, QStringLiteral(" Exit "));
        QCOMPARE(c.forward, QStringLiteral(">>>>>"));
        QCOMPARE(c.backward, QStringLiteral("<<<<<"));
    }

    void comment_text_shortens_past_80()
    {
        QCOMPARE(comment_text(QStringLiteral("/p/a.jpg"), 3, 12), QStringLiteral("/p/a.jpg (3/12)"));
        const QString path = QStringLiteral("/") + QString(70, QLatin1Char('x')) + QStringLiteral(".jpg");
        const QString full = path + QStringLiteral(" (3/12)");
        QVERIFY(full.size() > 80);
        const QString t = comment_text(path, 3, 12);
        QCOMPARE(t.size(), 82);
        QVERIFY(t.startsWith(QStringLiteral("...")));
        QCOMPARE(t.mid(3), full.right(79));
        const QString eighty = QString(80 - 7, QLatin1Char('y')); // exactly 80 with " (3/12)"
        QCOMPARE(comment_text(eighty, 3, 12).size(), 80);
    }

    void status_layout_rules()
    {
        StatusWidths w;
        w.show_hide = 1500;
        w.autom = 1800;
        w.interval = 1400;
        w.random = 1000;
        w.exit = 600;
        w.unseen = 200;
        w.backward = 700;
        w.forward = 700;
        w.filename = 5000;
        w.height = 270;
        StatusLayout l = status_layout(w, W, H);
        QCOMPARE(l.filename, (TwipRect{W - 5000, H - 270, 5000, 270}));
        QCOMPARE(l.show_hide.left, 0);
        QCOMPARE(l.autom.left, 1800);
        QCOMPARE(l.interval.left, 1800 + 1800 + 300);
        QCOMPARE(l.unseen.left, right_edge(l.exit) + 300);
        QCOMPARE(l.unseen.top, H - 270);
        // Room enough: right edge 300 left of the centre, forward 500 after.
        QCOMPARE(right_edge(l.backward), W / 2 - 300);
        QCOMPARE(l.forward.left, right_edge(l.backward) + 500);
        // Too close to l_unseen: 200 after it, forward 200 after that.
        w.unseen = 4000;
        l = status_layout(w, W, H);
        QCOMPARE(l.backward.left, right_edge(l.unseen) + 200);
        QCOMPARE(l.forward.left, right_edge(l.backward) + 200);
    }

    void pointer_rule_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("moved");
        QTest::newRow("centre") << W / 2 << H / 2 << true;
        QTest::newRow("on the 20 % line") << W / 5 << H / 2 << false;
        QTest::newRow("just inside") << W / 5 + 1 << H / 5 + 1 << true;
        QTest::newRow("edge strip") << 100 << H / 2 << false;
        QTest::newRow("on the 80 % line") << W / 2 << H * 4 / 5 << false;
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
