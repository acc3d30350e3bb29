// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_list.h"
#include "viewer/crop_mode.h"
#include "viewer/picture_commands.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::CropKey)
Q_DECLARE_METATYPE(lf::CropView)

namespace {
constexpr int fw = 120; // frame width, twips
constexpr int fh = 405; // frame height, twips
} // namespace

class tst_picture_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only the keys whose meaning depends on a modifier or on crop mode.
    void guarded_keys()
    {
        QCOMPARE(command_for_key(Qt::Key_Z, Qt::ControlModifier, true), PictureCommand::Restore);
        QCOMPARE(command_for_key(Qt::Key_Z, Qt::NoModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_C, Qt::NoModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_Menu, Qt::ShiftModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_PageDown, Qt::NoModifier, true), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_PageUp, Qt::NoModifier, true), PictureCommand::None);
        QCOMPARE(command_for_character('+', true), PictureCommand::None);
        QCOMPARE(command_for_character('-', true), PictureCommand::None);
        QCOMPARE(command_for_character('w', true), PictureCommand::WebResolution);
    }

    void stepping_wraps()
    {
        QCOMPARE(stepped_index(2, 3, true), 3);
        QCOMPARE(stepped_index(3, 3, true), 1);
        QCOMPARE(stepped_index(1, 3, false), 3);
        QCOMPARE(stepped_index(3, 3, false), 2);
        QCOMPARE(stepped_index(1, 1, false), 1);
    }

    void folder_list_found_in_any_case()
    {
        SlideList s;
        s.slide_count = 3;
        s.slot(1).path = QStringLiteral("/p/a.jpg");
        s.slot(2).path = QStringLiteral("/p/B.JPG");
        s.slot(3).path = QStringLiteral("/p/c.jpg");
        FolderList l;
        QVERIFY(!take_folder_list(l, s, QStringLiteral("/p/x.jpg")));
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/b.jpg")));
        QCOMPARE(l.index, 2);
        QCOMPARE(l.paths, (QStringList{"/p/a.jpg", "/p/B.JPG", "/p/c.jpg"}));
        // Taken once: a later slide list does not change it.
        s.slide_count = 1;
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/x.jpg")));
        QCOMPARE(l.paths.size(), 3);
    }

    void quality_answers()
    {
        // Whole numbers from 10 to 99 after rounding; 0 for refused.
        const std::pair<const char *, int> cases[] = {
            {"9", 0},      {"10", 10}, {"99", 99}, {"100", 0},   {"abc", 0},  {"50.5", 51}, {"99.4", 0},
            {"10.4", 10}, {" 70 ", 70}, {"nan", 0}, {"inf", 0}, {"-50", 0},
        };
        for (const auto &[answer, quality] : cases)
            QVERIFY2(parse_jpeg_quality(QLatin1String(answer)).value_or(0) == quality, answer);
    }

    void save_items()
    {
        // J = in JPEG format, R = resized, C = cropped; from path, cropped, rescaled, shrunk.
        auto shown = [](const char *path, bool cropped, bool rescaled, bool shrunk) -> QString {
            const PopupVisibility v = popup_visibility(QLatin1String(path), cropped, rescaled, shrunk);
            return QString(v.save_in_jpeg_format ? "J" : "") + (v.save_jpeg_resized ? "R" : "")
                 + (v.save_cropped_image_as ? "C" : "");
        };
        QCOMPARE(shown("/a.JPG", false, false, false), QString());
        QCOMPARE(shown("/a.gif", false, false, false), QStringLiteral("J"));
        QCOMPARE(shown("/a.gif", false, true, false), QStringLiteral("R"));
        QCOMPARE(shown("/a.gif", false, false, true), QStringLiteral("JR"));
        QCOMPARE(shown("/a.bmp", true, false, false), QStringLiteral("C"));
        QCOMPARE(shown("/a.jpg", true, false, true), QStringLiteral("RC"));
        QCOMPARE(shown("/a.jpeg", false, false, false), QStringLiteral("J"));
    }

    void fractions_of_the_visible_part()
    {
        // A 64 x 48 px picture shown at its own size, window showing all of it.
        CropView v{0, 0, 960, 720, 960 + fw, 720 + fh};
        VisibleFractions f = visible_fractions(v, fw, fh);
        QVERIFY(f.uncropped());
        QCOMPARE(crop_pixel_rect(f, QSize(64, 48)), QRect(0, 0, 64, 48));

        // Moved 10 px left and 6 px up, window showing the left half only.
        v = CropView{-150, -90, 960, 720, 480 + fw, 360 + fh};
        f = visible_fractions(v, fw, fh);
        QVERIFY(!f.uncropped());
        QCOMPARE(crop_pixel_rect(f, QSize(64, 48)), QRect(10, 6, 32, 24));
        // Shown at half size, the same fractions cover the full picture's pixels.
        QCOMPARE(crop_pixel_rect(f, QSize(128, 96)), QRect(20, 12, 64, 48));

        // A window larger than the picture reaches beyond it.
        v = CropView{300, 0, 960, 720, 1500 + fw, 720 + fh};
        QCOMPARE(crop_pixel_rect(visible_fractions(v, fw, fh), QSize(64, 48)), QRect(-20, 0, 100, 48));
        // A window with nothing inside still gives one pixel.
        v = CropView{0, 0, 960, 720, fw, fh};
        QCOMPARE(crop_pixel_rect(visible_fractions(v, fw, fh), QSize(64, 48)), QRect(0, 0, 1, 1));
        QCOMPARE(inner_pixel_size(480 + fw, 360 + fh, fw, fh, 1), QSize(32, 24));
        QCOMPARE(inner_pixel_size(480 + fw, 360 + fh, fw, fh, 2), QSize(64, 48));
        QCOMPARE(inner_pixel_size(0, 0, fw, fh, 1), QSize(1, 1));
    }

    void caption_and_step_factor()
    {
        QCOMPARE(crop_caption("Photo.JPG", 0, 0, 1), QStringLiteral("photo.jpg (0, 0)"));
        QCOMPARE(crop_caption("a.jpg", -150, -4800, 1), QStringLiteral("a.jpg (-10, -320)"));
        QCOMPARE(crop_caption("a.jpg", 22, -22, 1), QStringLiteral("a.jpg (1, -1)"));
        QCOMPARE(crop_caption("a.jpg", 7, -7, 1), QStringLiteral("a.jpg (0, 0)"));
        // At 200 % the picture's own pixels: twice the logical ones.
        QCOMPARE(crop_caption("a.jpg", -150, -4800, 2), QStringLiteral("a.jpg (-20, -640)"));
        // Keys repeated within 0.5 s move six times as far (three with Shift).
        QCOMPARE(crop_step_factor(100.3, 100.0, false), 6);
        QCOMPARE(crop_step_factor(100.3, 100.0, true), 3);
        QCOMPARE(crop_step_factor(100.5, 100.0, false), 1);
        QCOMPARE(crop_step_factor(101.0, 100.0, true), 1);
        QCOMPARE(crop_step_factor(100.0, 0.0, false), 1);
        QCOMPARE(crop_step_factor(0.1, 86399.8, false), 6); // across midnight
    }

    void keys_data()
    {
        QTest::addColumn<CropKey>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("m");
        QTest::addColumn<CropView>("before");
        QTest::addColumn<CropView>("after");
        QTest::addColumn<bool>("beep");
        // Picture 9000 x 6000 twips at (-600, -600); window 3000 x 2400.
        const CropView v{-600, -600, 9000, 6000, 3000, 2400};
        auto with = [&](int dl, int dt, int dw, int dh) {
            return CropView{v.picture_left + dl, v.picture_top + dt, 9000, 6000,
                            v.window_width + dw, v.window_height + dh};
        };
        QTest::newRow("page up") << CropKey::PageUp << false << 1 << v << with(0, 300, 0, 15) << false;
        QTest::newRow("page down, bottom below window")
            << CropKey::PageDown << false << 1 << v << with(0, -300, 0, 0) << false;
        QTest::newRow("end") << CropKey::End << false << 1 << v << with(-300, 0, -15, 0) << false;
        QTest::newRow("home") << CropKey::Home << false << 2 << v << with(600, 0, 30, 0) << true;
        QTest::newRow("left") << CropKey::Left << false << 1 << v << with(15, 0, 15, 0) << false;
        QTest::newRow("right") << CropKey::Right << false << 6 << v << with(-90, 0, -90, 0) << false;
        QTest::newRow("down, bottom below window")
            << CropKey::Down << false << 1 << v << with(0, -15, 0, 0) << false;
        QTest::newRow("keypad minus") << CropKey::KeypadMinus << false << 6 << v << with(-90, -90, -180, -180) << false;
        QTest::newRow("shift left") << CropKey::Left << true << 3 << v << with(0, 0, -45, 0) << false;
        QTest::newRow("shift up") << CropKey::Up << true << 1 << v << with(0, 0, 0, -15) << false;
        QTest::newRow("shift right") << CropKey::Right << true << 1 << v << with(0, 0, 15, 0) << false;
        QTest::newRow("shift down") << CropKey::Down << true << 3 << v << with(0, 0, 0, 45) << false;

        // Picture bottom at 1500 above the inner bottom (2400 - 405): the window follows.
        const CropView low{0, -4500, 9000, 6000, 3000, 2400};
        QTest::newRow("page down, bottom above window")
            << CropKey::PageDown << false << 1 << low << CropView{0, -4800, 9000, 6000, 3000, 2385} << false;
        QTest::newRow("down, bottom above window")
            << CropKey::Down << false << 1 << low << CropView{0, -4515, 9000, 6000, 3000, 2385} << false;
        QTest::newRow("right reaching the left edge beeps")
            << CropKey::Right << false << 1 << CropView{15, 30, 9000, 6000, 3000, 2400}
            << CropView{0, 30, 9000, 6000, 2985, 2400} << true;
        QTest::newRow("up does not beep for the left edge")
            << CropKey::Up << false << 1 << CropView{0, -30, 9000, 6000, 3000, 2400}
            << CropView{0, -15, 9000, 6000, 3000, 2415} << false;
        QTest::newRow("keypad beeps at either edge")
            << CropKey::KeypadMinus << false << 1 << CropView{15, 300, 9000, 6000, 3000, 2400}
            << CropView{0, 285, 9000, 6000, 2970, 2370} << true;
    }
    void keys()
    {
        QFETCH(CropKey, key);
        QFETCH(bool, shift);
        QFETCH(int, m);
        QFETCH(CropView, before);
        QFETCH(CropView, after);
        QFETCH(bool, beep);
        const auto r = apply_crop_key(key, shift, m, before, fh);
        QVERIFY(r);
        QCOMPARE(r->view, after);
        QCOMPARE(r->beep, beep);
    }

    void pointer_recentres_only_from_outside()
    {
        const TwipRect w{1500, 1500, 3000, 2400};
        QCOMPARE(recentred_pointer(w, QPoint(2000, 2000)), std::nullopt);
        QCOMPARE(recentred_pointer(w, QPoint(1500, 3900)), std::nullopt);
        for (QPoint p : {QPoint(1499, 2000), QPoint(4501, 2000), QPoint(2000, 1499), QPoint(2000, 3901)})
            QCOMPARE(recentred_pointer(w, p), QPoint(3000, 2700));
    }
};

QTEST_GUILESS_MAIN(tst_picture_commands)
#include "tst_picture_commands.moc"
