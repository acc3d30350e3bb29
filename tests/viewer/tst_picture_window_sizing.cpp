// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/twips.h"
#include "viewer/fitted_decode.h"
#include "viewer/picture_window_refit.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

namespace {
// 1280 x 960 pixels with a 40-pixel taskbar.
const ScreenTwips screen{19200, 14400, 600};
const FrameTwips nominal{120, 405, 0, 0};
// A thicker frame than the nominal one: 30 and 45 twips extra.
const FrameTwips thick{150, 450, 30, 45};
// openbox's: 1-pixel borders, a 20-pixel title and a 5-pixel bottom edge.
const FrameTwips thin{30, 375, -90, -30};
const FrameTwips frames[] = {nominal, thick, thin};
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
        // 600 x 400 pixels: its own size plus the frame.
        QTest::newRow("small") << 0 << QSize(9000, 6000) << QSize(9000, 6000) << TwipRect{0, 0, 9120, 6405} << false;
        // Height above the taskbar, width by the ratio.
        QTest::newRow("tall") << 0 << tall << QSize(6698, 13395) << TwipRect{0, 0, 6818, 13800} << true;
        QTest::newRow("tall, thick frame") << 1 << tall << QSize(6653, 13305) << TwipRect{0, 0, 6803, 13755} << true;
        // Never taller than the screen above the taskbar.
        QTest::newRow("tall, thin frame") << 2 << tall << QSize(6713, 13425) << TwipRect{0, 0, 6743, 13800} << true;
        // 800 x 900: the window would reach below the taskbar, not below the screen.
        QTest::newRow("just taller than the work area")
            << 0 << QSize(12000, 13500) << QSize(11907, 13395) << TwipRect{0, 0, 12027, 13800} << true;
        // 3000 x 1000: first limited by height, then still too wide.
        QTest::newRow("wide") << 0 << QSize(45000, 15000) << QSize(19080, 6360) << TwipRect{0, 0, 19200, 6765} << true;
        QTest::newRow("exactly as wide as the screen")
            << 0 << QSize(19080, 6000) << QSize(19080, 6000) << TwipRect{0, 0, 19200, 6405} << false;
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
        const QSize landscape(15000, 10000), portrait(10000, 15000);
        QTest::newRow("landscape by width") << landscape << TwipRect{1000, 2000, 12120, 5000} << false
            << TwipRect{1000, 2000, 12120, 8405} << TwipRect{0, 0, 12000, 8000};
        QTest::newRow("landscape wider than the screen") << landscape << TwipRect{500, 300, 25000, 9000}
            << false << TwipRect{0, 300, 19200, 13125} << TwipRect{0, 0, 19080, 12720};
        QTest::newRow("too tall: by height") << QSize(12000, 10000) << TwipRect{100, 300, 19120, 9000} << false
            << TwipRect{100, 0, 19120, 13800} << TwipRect{0, 0, 16074, 13395};
        QTest::newRow("portrait by height") << portrait << TwipRect{2000, 1000, 5000, 9405} << false
            << TwipRect{2000, 1000, 6120, 9405} << TwipRect{0, 0, 6000, 9000};
        QTest::newRow("portrait taller than the work area") << portrait << TwipRect{3000, 500, 6120, 20000}
            << false << TwipRect{3000, 0, 9050, 13800} << TwipRect{0, 0, 8930, 13395};
        QTest::newRow("one twip wider than high by width") << QSize(12001, 12000) << TwipRect{0, 0, 8000, 6405}
            << false << TwipRect{0, 0, 8000, 8284} << TwipRect{0, 0, 7880, 7879};
        QTest::newRow("fit mode: landscape to screen width") << landscape << TwipRect{3000, 2000, 9120, 6405} << true
            << TwipRect{0, 2000, 19200, 13125} << TwipRect{0, 0, 19080, 12720};
        QTest::newRow("fit mode: portrait to the work height") << portrait << TwipRect{3000, 2000, 6120, 9405} << true
            << TwipRect{3000, 0, 9050, 13800} << TwipRect{0, 0, 8930, 13395};
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

    // A window's own values through a drag, a resize and the next load.
    void window_state_through_a_refit()
    {
        PictureWindowState st;
        st.saved_width = 12120, st.saved_height = 8405, st.original_width = 15000;
        st.original_height = 10000, st.aspect_ratio = 1.5;
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
    }

    void original_resolution_data()
    {
        QTest::addColumn<QSize>("original");
        QTest::addColumn<TwipRect>("want_picture");
        QTest::addColumn<bool>("crop");
        // Client area 19110 x 13575 in a 19200 x 13950 window.
        QTest::newRow("larger than the window") << QSize(30000, 20000) << TwipRect{-5445, -3212, 30000, 20000} << true;
        QTest::newRow("smaller") << QSize(6000, 4000) << TwipRect{6555, 4787, 6000, 4000} << false;
        QTest::newRow("just too high") << QSize(6000, 13546) << TwipRect{6555, 14, 6000, 13546} << true;
    }
    void original_resolution()
    {
        QFETCH(QSize, original);
        const PictureLayout l = layout_original_resolution(screen, nominal, original.width(), original.height());
        QCOMPARE(l.window, (TwipRect{0, 0, 19200, 13950}));
        QTEST(l.picture, "want_picture");
        QTEST(l.needs_crop_mode, "crop");
    }

    void web_size_data()
    {
        QTest::addColumn<QSize>("original");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("picture");
        // 1600 x 1200: 792 x 594 first, then the height limit: 725 x 544.
        QTest::newRow("1600 x 1200") << QSize(24000, 18000) << 1.0 << QSize(10880, 8160);
        QTest::newRow("small stays") << QSize(6000, 4500) << 1.0 << QSize(6000, 4500);
        // At 200 % the limit is still 792 x 544 of the picture's pixels.
        QTest::newRow("1600 x 1200 at 2x") << QSize(12000, 9000) << 2.0 << QSize(5440, 4080);
        // 792 of its 2000 pixels wide: 396 logical pixels.
        QTest::newRow("wide 2000 x 500 at 2x") << QSize(15000, 3750) << 2.0 << QSize(5940, 1485);
    }
    void web_size()
    {
        QFETCH(QSize, original);
        QFETCH(double, ratio);
        QFETCH(QSize, picture);
        const PictureLayout l = layout_web_size({300, 400, 5000, 5000}, original.width(), original.height(),
                                                double(original.width()) / original.height(), ratio);
        QCOMPARE(l.picture, (TwipRect{0, 0, picture.width(), picture.height()}));
        QCOMPARE(l.window, (TwipRect{300, 400, picture.width() + 120, picture.height() + 405}));
    }

    void zoom_by_a_twentieth()
    {
        QCOMPARE(zoomed_window({10, 20, 10000, 8000}, true), (TwipRect{10, 20, 10500, 8400}));
        QCOMPARE(zoomed_window({10, 20, 10000, 8000}, false), (TwipRect{10, 20, 9500, 7600}));
        QCOMPARE(zoomed_window({0, 0, 9120, 6405}, true), (TwipRect{0, 0, 9576, 6725}));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("want");
        QTest::newRow("shrunk") << caption_after_load("/a/Tall.jpg", 6698, 15000) << "tall.jpg - Res. ratio 0.4";
        QTest::newRow("enlarged") << caption_after_load("/a/x.jpg", 18000, 12000) << "x.jpg - Res. ratio 1.5";
        QTest::newRow("size") << caption_with_size("/a/IMG 1.Gif", 9456, 6304, 1) << "img 1.gif (630x420)";
        QTest::newRow("size at 2x") << caption_with_size("/p/Photo.JPG", 5440, 4080, 2) << "photo.jpg (725x544)";
        // 1001 pixels at 175 % are 8580 twips; 1000 round to 8571.
        QTest::newRow("original at 1.75x") << original_resolution_caption(8571, 8580, 1.75)
                                           << "Original resolution 1000 x 1001 (/)";
    }
    void captions()
    {
        QFETCH(QString, caption);
        QTEST(caption, "want");
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
    }

    // A window shown larger than its decode asks for more, up to the file's own size.
    void larger_size()
    {
        const QSize photo(6000, 4000), decoded(1470, 980);
        QCOMPARE(larger_decode_size(decoded, QSize(1470, 980), photo), QSize());
        QCOMPARE(larger_decode_size(decoded, QSize(1800, 980), photo), QSize(1800, 1200));
        QCOMPARE(larger_decode_size(decoded, QSize(9000, 6000), photo), photo);
        QCOMPARE(larger_decode_size(photo, QSize(9000, 6000), photo), QSize());
    }
};

QTEST_GUILESS_MAIN(tst_picture_window_sizing)
#include "tst_picture_window_sizing.moc"
