// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/twips.h"
#include "viewer/picture_commands.h"
#include "viewer/picture_window_sizing.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

namespace lf {
char *toString(const TwipRect &r)
{
    return QTest::toString(QStringLiteral("TwipRect{%1, %2, %3, %4}")
                               .arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}
} // namespace lf

namespace {
// 1280 x 960 pixels with a 40-pixel taskbar.
const ScreenTwips screen{19200, 14400, 600};
const FrameTwips nominal{120, 405, 0, 0};
// A thicker frame than the nominal one: 30 and 45 twips extra.
const FrameTwips thick{150, 450, 30, 45};
// openbox's: 1-pixel borders, a 20-pixel title and a 5-pixel bottom edge.
const FrameTwips thin{30, 375, -90, -30};
const FrameTwips frames[] = {nominal, thick, thin};
} // namespace

class tst_picture_window_sizing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fit_at_load_data()
    {
        QTest::addColumn<int>("frame"); // index into frames
        QTest::addColumn<int>("pw");
        QTest::addColumn<int>("ph");
        QTest::addColumn<int>("window_w");
        QTest::addColumn<int>("window_h");
        QTest::addColumn<int>("picture_w");
        QTest::addColumn<int>("picture_h");
        QTest::addColumn<bool>("shrunk");
        // 600 x 400 pixels: its own size plus the frame.
        QTest::newRow("small") << 0 << 9000 << 6000 << 9120 << 6405 << 9000 << 6000 << false;
        // 1000 x 2000: height above the taskbar, width by the ratio.
        QTest::newRow("tall") << 0 << 15000 << 30000 << 6818 << 13800 << 6698 << 13395 << true;
        QTest::newRow("tall, thick frame")
            << 1 << 15000 << 30000 << 6803 << 13755 << 6653 << 13305 << true;
        // Never taller than the screen above the taskbar.
        QTest::newRow("tall, thin frame")
            << 2 << 15000 << 30000 << 6743 << 13800 << 6713 << 13425 << true;
        QTest::newRow("square by height")
            << 0 << 18000 << 18000 << 13515 << 13800 << 13395 << 13395 << true;
        // 3000 x 1000: first limited by height, then still too wide.
        QTest::newRow("wide") << 0 << 45000 << 15000 << 19200 << 6765 << 19080 << 6360 << true;
        QTest::newRow("exactly as wide as the screen")
            << 0 << 19080 << 6000 << 19200 << 6405 << 19080 << 6000 << false;
        QTest::newRow("nothing decoded") << 0 << 0 << 0 << 120 << 405 << 0 << 0 << false;
    }
    void fit_at_load()
    {
        QFETCH(int, frame);
        QFETCH(int, pw);
        QFETCH(int, ph);
        const double ratio = ph > 0 ? double(pw) / ph : 0;
        const PictureLayout l = layout_at_load(screen, frames[frame], pw, ph, ratio);
        QTEST(l.window.width, "window_w");
        QTEST(l.window.height, "window_h");
        QTEST(l.picture.width, "picture_w");
        QTEST(l.picture.height, "picture_h");
        QTEST(l.shrunk, "shrunk");
        QCOMPARE(l.picture.left, 0);
        QCOMPARE(l.picture.top, 0);
    }

    void centring_above_the_taskbar()
    {
        const TwipRect r = centered_above_taskbar(screen, {0, 0, 9120, 6405});
        QCOMPARE(r, (TwipRect{5040, 3697, 9120, 6405}));
    }

    void resize_data()
    {
        QTest::addColumn<int>("ow");
        QTest::addColumn<int>("oh");
        QTest::addColumn<TwipRect>("window");
        QTest::addColumn<bool>("fit_mode");
        QTest::addColumn<double>("rel_left");
        QTest::addColumn<double>("rel_top");
        QTest::addColumn<TwipRect>("want_window");
        QTest::addColumn<TwipRect>("want_picture");
        QTest::newRow("landscape by width")
            << 15000 << 10000 << TwipRect{1000, 2000, 12120, 5000} << false << 0.0 << 0.0
            << TwipRect{1000, 2000, 12120, 8405} << TwipRect{0, 0, 12000, 8000};
        QTest::newRow("landscape wider than the screen")
            << 15000 << 10000 << TwipRect{500, 300, 25000, 9000} << false << 0.0 << 0.0
            << TwipRect{0, 300, 19200, 13125} << TwipRect{0, 0, 19080, 12720};
        QTest::newRow("landscape too tall goes by height, width kept")
            << 12000 << 10000 << TwipRect{100, 300, 19120, 9000} << false << 0.0 << 0.0
            << TwipRect{100, 0, 19120, 13800} << TwipRect{0, 0, 16074, 13395};
        QTest::newRow("portrait by height")
            << 10000 << 15000 << TwipRect{2000, 1000, 5000, 9405} << false << 0.0 << 0.0
            << TwipRect{2000, 1000, 6120, 9405} << TwipRect{0, 0, 6000, 9000};
        QTest::newRow("portrait taller than the work area")
            << 10000 << 15000 << TwipRect{3000, 500, 6120, 20000} << false << 0.0 << 0.0
            << TwipRect{3000, 0, 9050, 13800} << TwipRect{0, 0, 8930, 13395};
        QTest::newRow("square by height")
            << 12000 << 12000 << TwipRect{0, 0, 8000, 6405} << false << 0.0 << 0.0
            << TwipRect{0, 0, 6120, 6405} << TwipRect{0, 0, 6000, 6000};
        QTest::newRow("one twip wider than high by width")
            << 12001 << 12000 << TwipRect{0, 0, 8000, 6405} << false << 0.0 << 0.0
            << TwipRect{0, 0, 8000, 8284} << TwipRect{0, 0, 7880, 7879};
        QTest::newRow("fit mode snaps a landscape window to the screen width")
            << 15000 << 10000 << TwipRect{3000, 2000, 9120, 6405} << true << 0.0 << 0.0
            << TwipRect{0, 2000, 19200, 13125} << TwipRect{0, 0, 19080, 12720};
        QTest::newRow("fit mode snaps a portrait window to the work height")
            << 10000 << 15000 << TwipRect{3000, 2000, 6120, 9405} << true << 0.0 << 0.0
            << TwipRect{3000, 0, 9050, 13800} << TwipRect{0, 0, 8930, 13395};
        // Client area 12030 x 8030.
        QTest::newRow("kept relative position")
            << 15000 << 10000 << TwipRect{1000, 2000, 12120, 5000} << false << 0.1 << 0.2
            << TwipRect{1000, 2000, 12120, 8405} << TwipRect{1203, 1606, 12000, 8000};
        QTest::newRow("left 0 puts the picture in the corner")
            << 15000 << 10000 << TwipRect{1000, 2000, 12120, 5000} << false << 0.0 << 0.2
            << TwipRect{1000, 2000, 12120, 8405} << TwipRect{0, 0, 12000, 8000};
    }
    void resize()
    {
        QFETCH(int, ow);
        QFETCH(int, oh);
        ResizeInput in;
        QFETCH(TwipRect, window);
        in.window = window;
        in.picture = {0, 0, 1000, 1000};
        in.original_width = ow;
        in.original_height = oh;
        in.aspect_ratio = double(ow) / oh;
        QFETCH(bool, fit_mode);
        in.fit_mode = fit_mode;
        QFETCH(double, rel_left);
        QFETCH(double, rel_top);
        in.rel_left = rel_left;
        in.rel_top = rel_top;
        const PictureLayout l = layout_after_resize(screen, nominal, in);
        QTEST(l.window, "want_window");
        QTEST(l.picture, "want_picture");
        const double cw = l.window.width - 90, ch = l.window.height - 375;
        QCOMPARE(l.rel_left, l.picture.left / cw);
        QCOMPARE(l.rel_top, l.picture.top / ch);
    }

    void a_refit_is_stable()
    {
        ResizeInput in;
        in.window = {700, 900, 11111, 7777};
        in.original_width = 24000;
        in.original_height = 18000;
        in.aspect_ratio = 4.0 / 3;
        const PictureLayout once = layout_after_resize(screen, thick, in);
        in.window = once.window;
        in.picture = once.picture;
        const PictureLayout twice = layout_after_resize(screen, thick, in);
        QCOMPARE(twice.window, once.window);
        QCOMPARE(twice.picture, once.picture);
    }

    void original_resolution_data()
    {
        QTest::addColumn<int>("ow");
        QTest::addColumn<int>("oh");
        QTest::addColumn<TwipRect>("want_picture");
        QTest::addColumn<bool>("crop");
        // Client area 19110 x 13575 in a 19200 x 13950 window.
        QTest::newRow("larger than the window") << 30000 << 20000
                                                << TwipRect{-5445, -3212, 30000, 20000} << true;
        QTest::newRow("smaller") << 6000 << 4000 << TwipRect{6555, 4787, 6000, 4000} << false;
        QTest::newRow("just too high") << 6000 << 13546 << TwipRect{6555, 14, 6000, 13546} << true;
    }
    void original_resolution()
    {
        QFETCH(int, ow);
        QFETCH(int, oh);
        const PictureLayout l = layout_original_resolution(screen, nominal, ow, oh);
        QCOMPARE(l.window, (TwipRect{0, 0, 19200, 13950}));
        QTEST(l.picture, "want_picture");
        QTEST(l.needs_crop_mode, "crop");
        QCOMPARE(l.rel_left, l.picture.left / 19110.0);
        QCOMPARE(l.rel_top, l.picture.top / 13575.0);
    }

    void web_size_data()
    {
        QTest::addColumn<int>("ow");
        QTest::addColumn<int>("oh");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("pw");
        QTest::addColumn<int>("ph");
        // 1600 x 1200: 792 x 594 first, then the height limit: 725 x 544.
        QTest::newRow("1600 x 1200") << 24000 << 18000 << 1.0 << 10880 << 8160;
        QTest::newRow("portrait 1200 x 1600") << 18000 << 24000 << 1.0 << 6120 << 8160;
        QTest::newRow("square 1000 x 1000") << 15000 << 15000 << 1.0 << 8160 << 8160;
        QTest::newRow("wide 2000 x 500") << 30000 << 7500 << 1.0 << 11880 << 2970;
        QTest::newRow("small stays") << 6000 << 4500 << 1.0 << 6000 << 4500;
        // At 200 % the limit is still 792 x 544 of the picture's pixels.
        QTest::newRow("1600 x 1200 at 2x") << 12000 << 9000 << 2.0 << 5440 << 4080;
    }
    void web_size()
    {
        QFETCH(int, ow);
        QFETCH(int, oh);
        QFETCH(double, ratio);
        const PictureLayout l = layout_web_size({300, 400, 5000, 5000}, ow, oh, double(ow) / oh, ratio);
        QTEST(l.picture.width, "pw");
        QTEST(l.picture.height, "ph");
        QCOMPARE(l.picture.left, 0);
        QCOMPARE(l.picture.top, 0);
        QCOMPARE(l.window, (TwipRect{300, 400, l.picture.width + 120, l.picture.height + 405}));
    }
    void web_size_caption()
    {
        QCOMPARE(caption_with_size("/p/Photo.JPG", 10880, 8160, 1), "photo.jpg (725x544)");
        QCOMPARE(caption_with_size("/p/Photo.JPG", 5440, 4080, 2), "photo.jpg (725x544)");
    }

    void zoom_data()
    {
        QTest::addColumn<bool>("zoom_in");
        QTest::addColumn<TwipRect>("window");
        QTest::addColumn<TwipRect>("want");
        QTest::newRow("in") << true << TwipRect{10, 20, 10000, 8000} << TwipRect{10, 20, 10500, 8400};
        QTest::newRow("out") << false << TwipRect{10, 20, 10000, 8000} << TwipRect{10, 20, 9500, 7600};
        QTest::newRow("in, rounded") << true << TwipRect{0, 0, 9120, 6405} << TwipRect{0, 0, 9576, 6725};
    }
    void zoom()
    {
        QFETCH(bool, zoom_in);
        QFETCH(TwipRect, window);
        QTEST(zoomed_window(window, zoom_in), "want");
    }

    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("want");
        QTest::newRow("own size") << caption_after_load("/a/B/Photo.JPG", 9000, 9000) << "photo.jpg";
        QTest::newRow("shrunk") << caption_after_load("/a/Tall.jpg", 6698, 15000)
                                << "tall.jpg - Res. ratio 0.4";
        QTest::newRow("rounds to one") << caption_after_load("/a/x.jpg", 9600, 10000)
                                       << "x.jpg - Res. ratio 1";
        QTest::newRow("enlarged") << caption_after_load("/a/x.jpg", 18000, 12000)
                                  << "x.jpg - Res. ratio 1.5";
        QTest::newRow("nothing decoded") << caption_after_load("/a/x.jpg", 0, 0) << "x.jpg";
        QTest::newRow("size") << caption_with_size("/a/IMG 1.Gif", 9456, 6304, 1) << "img 1.gif (630x420)";
        QTest::newRow("original") << original_resolution_caption(24000, 18000, 1)
                                  << "Original resolution 1600 x 1200 (/)";
        QTest::newRow("original at 2x") << original_resolution_caption(12000, 9000, 2)
                                        << "Original resolution 1600 x 1200 (/)";
        // 1001 pixels at 175 % are 8580 twips; 1000 round to 8571.
        QTest::newRow("original at 1.75x") << original_resolution_caption(8571, 8580, 1.75)
                                           << "Original resolution 1000 x 1001 (/)";
        QTest::newRow("quality") << jpeg_quality_caption(80)
                                 << "Change quality of saved JPEG pictures (now 80)";
    }
    void captions()
    {
        QFETCH(QString, caption);
        QTEST(caption, "want");
    }

    void keys_data()
    {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<bool>("crop");
        QTest::addColumn<PictureCommand>("want");
        QTest::newRow("+") << QChar('+') << false << PictureCommand::ZoomIn;
        QTest::newRow("-") << QChar('-') << false << PictureCommand::ZoomOut;
        QTest::newRow("+ in crop mode") << QChar('+') << true << PictureCommand::None;
        QTest::newRow("- in crop mode") << QChar('-') << true << PictureCommand::None;
        QTest::newRow("/") << QChar('/') << false << PictureCommand::OriginalResolution;
        QTest::newRow("/ in crop mode") << QChar('/') << true << PictureCommand::OriginalResolution;
        QTest::newRow("W") << QChar('W') << false << PictureCommand::WebResolution;
        QTest::newRow("w") << QChar('w') << true << PictureCommand::WebResolution;
        QTest::newRow("x") << QChar('x') << false << PictureCommand::None;
    }
    void keys()
    {
        QFETCH(QChar, c);
        QFETCH(bool, crop);
        QTEST(command_for_character(c, crop), "want");
    }
};

QTEST_GUILESS_MAIN(tst_picture_window_sizing)
#include "tst_picture_window_sizing.moc"
