// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/twips.h"
#include "viewer/fitted_decode.h"
#include "viewer/picture_window_refit.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

namespace {
// 1280 x 960 pixels with a 40-pixel taskbar; the nominal frame, one 30 and 45
// twips thicker, and openbox's (1-pixel borders, 20-pixel title, 5-pixel bottom).
const ScreenTwips screen{19200, 14400, 600};
const FrameTwips nominal{120, 405, 0, 0};
const FrameTwips frames[] = {nominal, {150, 450, 30, 45}, {30, 375, -90, -30}};
// 1920 x 1080 with a 40-pixel taskbar; a frame of 16 x 60 pixels.
const ScreenTwips hd{28800, 16200, 600};
const FrameTwips hd_frame{240, 900, 0, 0};
} // namespace

class tst_picture_window_sizing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fit_at_load_data()
    {
        QTest::addColumn<int>("frame"); // index into frames
        QTest::addColumn<QSize>("own");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<TwipRect>("window"); // at 0, 0 until centred
        QTest::addColumn<bool>("shrunk");
        const QSize tall(15000, 30000); // 1000 x 2000 pixels
        QTest::newRow("small") << 0 << QSize(9000, 6000) << QSize(9000, 6000) << TwipRect{0, 0, 9120, 6405} << false;
        QTest::newRow("tall") << 0 << tall << QSize(6698, 13395) << TwipRect{0, 0, 6818, 13800} << true;
        QTest::newRow("tall, thick frame") << 1 << tall << QSize(6653, 13305) << TwipRect{0, 0, 6803, 13755} << true;
        QTest::newRow("tall, thin frame") << 2 << tall << QSize(6713, 13425) << TwipRect{0, 0, 6743, 13800} << true;
        // 800 x 900: the window would reach below the taskbar, not below the screen.
        QTest::newRow("taller than the work area") << 0 << QSize(12000, 13500) << QSize(11907, 13395) << TwipRect{0, 0, 12027, 13800} << true;
        // 3000 x 1000: first limited by height, then still too wide.
        QTest::newRow("wide") << 0 << QSize(45000, 15000) << QSize(19080, 6360) << TwipRect{0, 0, 19200, 6765} << true;
        QTest::newRow("as wide as the screen") << 0 << QSize(19080, 6000) << QSize(19080, 6000) << TwipRect{0, 0, 19200, 6405} << false;
        QTest::newRow("nothing decoded") << 0 << QSize(0, 0) << QSize(0, 0) << TwipRect{0, 0, 120, 405} << false;
    }
    void fit_at_load()
    {
        QFETCH(int, frame);
        QFETCH(QSize, own);
        const double ratio = own.height() > 0 ? double(own.width()) / own.height() : 0;
        const PictureLayout l = layout_at_load(screen, frames[frame], own.width(), own.height(), ratio);
        QTEST(QSize(l.picture.width, l.picture.height), "picture");
        QTEST(l.window, "window");
        QTEST(l.shrunk, "shrunk");
    }

    void resize_data()
    {
        QTest::addColumn<QSize>("original");
        QTest::addColumn<TwipRect>("window");
        QTest::addColumn<bool>("fit_mode");
        QTest::addColumn<TwipRect>("want_window");
        QTest::addColumn<TwipRect>("want_picture");
        const QSize wide(15000, 10000), tall(10000, 15000);
        using R = TwipRect;
        QTest::newRow("wide") << wide << R{1000, 2000, 12120, 5000} << false << R{1000, 2000, 12120, 8405} << R{0, 0, 12000, 8000};
        QTest::newRow("wider than the screen") << wide << R{500, 300, 25000, 9000} << false << R{0, 300, 19200, 13125}
                                              << R{0, 0, 19080, 12720};
        QTest::newRow("by height") << QSize(12000, 10000) << R{100, 300, 19120, 9000} << false << R{100, 0, 19120, 13800}
                                  << R{0, 0, 16074, 13395};
        QTest::newRow("tall") << tall << R{2000, 1000, 5000, 9405} << false << R{2000, 1000, 6120, 9405} << R{0, 0, 6000, 9000};
        QTest::newRow("taller than the work area") << tall << R{3000, 500, 6120, 20000} << false << R{3000, 0, 9050, 13800}
                                                  << R{0, 0, 8930, 13395};
        QTest::newRow("one twip wider than high") << QSize(12001, 12000) << R{0, 0, 8000, 6405} << false << R{0, 0, 8000, 8284}
                                                 << R{0, 0, 7880, 7879};
        QTest::newRow("fit mode, wide") << wide << R{3000, 2000, 9120, 6405} << true << R{0, 2000, 19200, 13125}
                                       << R{0, 0, 19080, 12720};
        QTest::newRow("fit mode, tall") << tall << R{3000, 2000, 6120, 9405} << true << R{3000, 0, 9050, 13800}
                                       << R{0, 0, 8930, 13395};
    }
    void resize()
    {
        QFETCH(QSize, original);
        QFETCH(TwipRect, window);
        QFETCH(bool, fit_mode);
        const ResizeInput in{window, {0, 0, 1000, 1000}, original.width(), original.height(),
                             double(original.width()) / original.height(), fit_mode, 0, 0};
        const PictureLayout l = layout_after_resize(screen, nominal, in);
        QTEST(l.window, "want_window");
        QTEST(l.picture, "want_picture");
    }

    // A window's own values through a drag, a resize and the next load; zoom by a twentieth.
    void window_state_through_a_refit()
    {
        PictureWindowState st;
        st.saved_width = 12120, st.saved_height = 8405, st.original_width = 15000, st.original_height = 10000;
        st.aspect_ratio = 1.5;
        // Dropped at 10 % and 20 % of the client area, 12030 x 8030.
        take_drop(st, nominal, {0, 0, 12120, 8405}, 1203, 1606);
        const PictureLayout l = layout_after_resize(
            screen, nominal, resize_input(st, {1000, 2000, 12120, 5000}, {0, 0, 1000, 1000}, false));
        QCOMPARE(l.picture, (TwipRect{1203, 1606, 12000, 8000}));
        take_refit(st, l);
        QVERIFY(!st.size_changed); // back at its size at load
        take_refit(st, layout_after_resize(screen, nominal, resize_input(st, {0, 0, 9120, 5000}, {}, false)));
        QVERIFY(st.size_changed);
        ViewerState v;
        v.fresh_open = true;
        QCOMPARE(load_size(v, QSize(9000, 6000)), QSize(9000, 6000));
        v.fresh_open = false, v.handover_width = 4000, v.handover_height = 1000;
        QCOMPARE(load_size(v, QSize(9000, 6000)), QSize(4000, 1000));
        QCOMPARE(QSize(v.original_width, v.original_height), QSize(9000, 6000));
        QCOMPARE(v.aspect_ratio, 4.0);
        QCOMPARE(zoomed_window({10, 20, 10000, 8000}, true), (TwipRect{10, 20, 10500, 8400}));
        QCOMPARE(zoomed_window({10, 20, 10000, 8000}, false), (TwipRect{10, 20, 9500, 7600}));
    }

    // Client area 19110 x 13575 in a 19200 x 13950 window; crop mode when the picture is larger.
    void original_resolution()
    {
        auto at = [](int w, int h) {
            const PictureLayout l = layout_original_resolution(screen, nominal, w, h);
            return l.window == TwipRect{0, 0, 19200, 13950} ? std::pair(l.picture, l.needs_crop_mode) : std::pair(TwipRect{}, false);
        };
        QCOMPARE(at(30000, 20000), std::pair(TwipRect{-5445, -3212, 30000, 20000}, true));
        QCOMPARE(at(6000, 4000), std::pair(TwipRect{6555, 4787, 6000, 4000}, false));
        QCOMPARE(at(6000, 13546), std::pair(TwipRect{6555, 14, 6000, 13546}, true)); // just too high
    }

    // The window keeps its place around a picture of at most 792 x 544 of its own pixels.
    void web_size()
    {
        auto web = [](QSize o, double ratio) {
            const PictureLayout l = layout_web_size({300, 400, 5000, 5000}, o.width(), o.height(), double(o.width()) / o.height(), ratio);
            const TwipRect &p = l.picture;
            return l.window == TwipRect{300, 400, p.width + 120, p.height + 405} && p.left == 0 && p.top == 0
                       ? QSize(p.width, p.height) : QSize();
        };
        // 1600 x 1200: 792 x 594 first, then the height limit: 725 x 544.
        QCOMPARE(web({24000, 18000}, 1), QSize(10880, 8160));
        QCOMPARE(web({6000, 4500}, 1), QSize(6000, 4500));
        QCOMPARE(web({12000, 9000}, 2), QSize(5440, 4080));
        // 792 of its 2000 pixels wide: 396 logical pixels.
        QCOMPARE(web({15000, 3750}, 2), QSize(5940, 1485));
    }

    void captions()
    {
        QCOMPARE(caption_after_load("/a/Tall.jpg", 6698, 15000), "tall.jpg - Res. ratio 0.4");
        QCOMPARE(caption_after_load("/a/x.jpg", 18000, 12000), "x.jpg - Res. ratio 1.5");
        QCOMPARE(caption_with_size("/a/IMG 1.Gif", 9456, 6304, 1), "img 1.gif (630x420)");
        QCOMPARE(caption_with_size("/p/Photo.JPG", 5440, 4080, 2), "photo.jpg (725x544)");
        // 1001 pixels at 175 % are 8580 twips; 1000 round to 8571.
        QCOMPARE(original_resolution_caption(8571, 8580, 1.75), "Original resolution 1000 x 1001 (/)");
    }

    // The decode size of a picture opened on the 1920 x 1080 screen, at 100 %,
    // 150 % and 200 %: as many device pixels as the fitted window shows.
    void fitted_size()
    {
        auto fitted = [](QSize natural, double ratio = 1) { return fitted_decode_size(hd, hd_frame, natural, ratio); };
        // 980 px of picture height are left above the taskbar; 1.5 x 980.
        QCOMPARE(fitted(QSize(6000, 4000)), QSize(1470, 980));
        // 653.3 px wide: rounded up, and the height follows the ratio.
        QCOMPARE(fitted(QSize(4000, 6000)), QSize(654, 981));
        // Limited by the screen width: 1904 px wide, 317.3 px high.
        QCOMPARE(fitted(QSize(12000, 2000)), QSize(1908, 318));
        QCOMPARE(fitted(QSize(0, 0)), QSize());
        QCOMPARE(fitted(QSize(6000, 4000), 2), QSize(2940, 1960));
        QCOMPARE(fitted(QSize(1600, 1200), 2), QSize(1600, 1200));
        // A window shown larger than its decode asks for more, up to the file's own size.
        const QSize photo(6000, 4000), decoded(1470, 980);
        QCOMPARE(larger_decode_size(decoded, QSize(1470, 980), photo), QSize());
        QCOMPARE(larger_decode_size(decoded, QSize(1800, 980), photo), QSize(1800, 1200));
        QCOMPARE(larger_decode_size(decoded, QSize(9000, 6000), photo), photo);
        QCOMPARE(larger_decode_size(photo, QSize(9000, 6000), photo), QSize());
    }
};

QTEST_GUILESS_MAIN(tst_picture_window_sizing)
#include "tst_picture_window_sizing.moc"
