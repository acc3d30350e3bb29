// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/crop_mode.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::CropKey)
Q_DECLARE_METATYPE(lf::CropView)

namespace {
constexpr int fw = 120; // frame width, twips
constexpr int fh = 405; // frame height, twips
} // namespace

class tst_crop_mode : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

    void key_codes()
    {
        QCOMPARE(crop_key_for(Qt::Key_Left, Qt::ShiftModifier), CropKey::Left);
        QCOMPARE(crop_key_for(Qt::Key_Plus, Qt::KeypadModifier), CropKey::KeypadPlus);
        // "+" and "-" of the main keyboard are not crop keys.
        QCOMPARE(crop_key_for(Qt::Key_Plus, Qt::NoModifier), std::nullopt);
        QVERIFY(!apply_crop_key(CropKey::PageUp, true, 3, CropView{}, fh));
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

QTEST_GUILESS_MAIN(tst_crop_mode)
#include "tst_crop_mode.moc"
