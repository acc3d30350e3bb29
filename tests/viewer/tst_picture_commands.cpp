// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/crop_mode.h"
#include "viewer/picture_commands.h"

#include <QtTest>

using namespace lf;

namespace {
constexpr int fw = 120; // frame width, twips
constexpr int fh = 405; // frame height, twips
} // namespace

class tst_picture_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only keys whose meaning depends on a modifier, crop mode or the character typed.
    void guarded_keys()
    {
        const struct { int key; Qt::KeyboardModifiers m; const char *text; bool crop; PictureCommand want; } rows[] = {
            {Qt::Key_Z, Qt::ControlModifier, "", true, PictureCommand::Restore},
            {Qt::Key_Z, Qt::NoModifier, "z", false, PictureCommand::None},
            {Qt::Key_C, Qt::NoModifier, "c", false, PictureCommand::ToggleCrop},
            {Qt::Key_C, Qt::ControlModifier, "\x03", false, PictureCommand::CopyToClipboard},
            {Qt::Key_N, Qt::AltModifier, "n", false, PictureCommand::None},
            {Qt::Key_Menu, Qt::ShiftModifier, "", false, PictureCommand::None},
            {Qt::Key_PageDown, Qt::NoModifier, "", true, PictureCommand::None},
            {Qt::Key_Escape, Qt::NoModifier, "", false, PictureCommand::Close},
            {Qt::Key_Enter, Qt::KeypadModifier, "", false, PictureCommand::FullScreen},
            {Qt::Key_Plus, Qt::NoModifier, "+", true, PictureCommand::None},
            {Qt::Key_W, Qt::ShiftModifier, "W", true, PictureCommand::WebResolution},
        };
        for (const auto &r : rows)
            QCOMPARE(command_for_key_event(r.key, r.m, QLatin1String(r.text), r.crop), r.want);
    }

    // The quality asked for saving, and the save items shown in the menu.
    void quality_and_save_items()
    {
        // Whole numbers from 10 to 99 after rounding; 0 for refused.
        const std::pair<const char *, int> cases[] = {
            {"9", 0},      {"10", 10}, {"99", 99}, {"100", 0},   {"abc", 0},  {"50.5", 51}, {"99.4", 0},
            {"10.4", 10}, {" 70 ", 70}, {"nan", 0}, {"inf", 0}, {"-50", 0},
        };
        for (const auto &[answer, quality] : cases)
            QVERIFY2(parse_jpeg_quality(QLatin1String(answer)).value_or(0) == quality, answer);
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
        // A 64 x 48 px picture moved 10 px left and 6 px up, its left half shown.
        const VisibleFractions f = visible_fractions({-150, -90, 960, 720, 480 + fw, 360 + fh}, fw, fh);
        QVERIFY(!f.uncropped());
        QCOMPARE(crop_pixel_rect(f, QSize(64, 48)), QRect(10, 6, 32, 24));
        // Shown at half size, the same fractions cover the full picture's pixels.
        QCOMPARE(crop_pixel_rect(f, QSize(128, 96)), QRect(20, 12, 64, 48));

        // A window larger than the picture reaches beyond it; one with nothing inside still gives one pixel.
        auto rect = [](CropView v) { return crop_pixel_rect(visible_fractions(v, fw, fh), QSize(64, 48)); };
        QCOMPARE(rect({300, 0, 960, 720, 1500 + fw, 720 + fh}), QRect(-20, 0, 100, 48));
        QCOMPARE(rect({0, 0, 960, 720, fw, fh}), QRect(0, 0, 1, 1));
        QCOMPARE(inner_pixel_size(480 + fw, 360 + fh, fw, fh, 2), QSize(64, 48));
        QCOMPARE(inner_pixel_size(0, 0, fw, fh, 1), QSize(1, 1));
        QCOMPARE(crop_caption("a.jpg", 7, -7, 1), QStringLiteral("a.jpg (0, 0)"));
        // At 200 % the picture's own pixels: twice the logical ones.
        QCOMPARE(crop_caption("a.jpg", -150, -4800, 2), QStringLiteral("a.jpg (-20, -640)"));
        // Keys repeated within 0.5 s move six times as far (three with Shift).
        QCOMPARE(crop_step_factor(100.3, 100.0, false), 6);
        QCOMPARE(crop_step_factor(100.3, 100.0, true), 3);
        QCOMPARE(crop_step_factor(100.5, 100.0, false), 1);
        QCOMPARE(crop_step_factor(0.1, 86399.8, false), 6); // across midnight
    }

    void crop_keys()
    {
        // Picture 9000 x 6000 twips at (-600, -600); window 3000 x 2400.
        auto at = [](int l, int t, int w, int h) { return CropView{l, t, 9000, 6000, w, h}; };
        auto with = [&](int dl, int dt, int dw, int dh) { return at(-600 + dl, -600 + dt, 3000 + dw, 2400 + dh); };
        const CropView v = with(0, 0, 0, 0);
        // Picture bottom 1500 above the inner bottom (2400 - 405): the window follows.
        const CropView low = at(0, -4500, 3000, 2400);
        const struct { const char *name; CropKey key; bool shift; int m; CropView before, after; bool beep; } rows[] = {
            {"page up", CropKey::PageUp, false, 1, v, with(0, 300, 0, 15), false},
            {"page down, bottom below window", CropKey::PageDown, false, 1, v, with(0, -300, 0, 0), false},
            {"end", CropKey::End, false, 1, v, with(-300, 0, -15, 0), false},
            {"home", CropKey::Home, false, 2, v, with(600, 0, 30, 0), true},
            {"right", CropKey::Right, false, 6, v, with(-90, 0, -90, 0), false},
            {"keypad minus", CropKey::KeypadMinus, false, 6, v, with(-90, -90, -180, -180), false},
            {"shift left", CropKey::Left, true, 3, v, with(0, 0, -45, 0), false},
            {"shift down", CropKey::Down, true, 3, v, with(0, 0, 0, 45), false},
            {"down, bottom above window", CropKey::Down, false, 1, low, at(0, -4515, 3000, 2385), false},
            // Beeps when the picture reaches the window's left edge (either edge for the keypad).
            {"right, beep", CropKey::Right, false, 1, at(15, 30, 3000, 2400), at(0, 30, 2985, 2400), true},
            {"left, beep", CropKey::Left, false, 1, at(-15, 30, 3000, 2400), at(0, 30, 3015, 2400), true},
            {"up, no beep", CropKey::Up, false, 1, at(0, -30, 3000, 2400), at(0, -15, 3000, 2415), false},
            {"keypad, beep", CropKey::KeypadMinus, false, 1, at(15, 300, 3000, 2400), at(0, 285, 2970, 2370), true},
        };
        for (const auto &row : rows) {
            const auto r = apply_crop_key(row.key, row.shift, row.m, row.before, fh);
            QVERIFY2(r && r->view == row.after && r->beep == row.beep, row.name);
        }
    }
};

QTEST_GUILESS_MAIN(tst_picture_commands)
#include "tst_picture_commands.moc"
