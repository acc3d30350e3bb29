// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screen.h"
#include "app/settings.h"
#include "motion/motion_state.h"
#include "motion/windows/form_nf2.h"
#include "test_env.h"
#include "test_windows.h"
#include "viewer/viewer_state.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QtTest>

#include <optional>

using namespace lf;

// Real windows, but the hand-over targets are only recorded.
struct HandOver : test::TestWindows {
    QStringList opened;
    void new_picture_window() override { opened << QStringLiteral("picture"); }
    void open_slide_show_window() override { opened << QStringLiteral("full screen"); }
};

class tst_form_nf2 : public QObject {
    Q_OBJECT
    QString picture; // 400 x 200 pixels
    std::optional<HandOver> layer;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{19200, 14400, 600}); // work area 1280 x 920 pixels
        picture = test::fresh_folder(QStringLiteral("m")) + QStringLiteral("/Wide.jpg");
        QVERIFY(QImage(400, 200, QImage::Format_RGB32).save(picture, "JPG"));
        viewer().fresh_open = true;
        layer.emplace();
    }
    void cleanup() { test::delete_all_windows(), layer.reset(); }

    // Centred at the picture's size; '+' and '*' keep the proportions, '*'
    // filling the work area's width. M sets it moving, and the next window
    // too, until M again. The last one closed ends the program.
    void opens_centred_moves_and_closes()
    {
        form_nf2 *w = form_nf2::open_moving_window(picture);
        QCOMPARE(w->geometry(), QRect(440, 360, 400, 200));
        QCOMPARE(QGuiApplication::clipboard()->text(), picture);
        QCOMPARE(get_setting(key::last_picture_file), picture);
        QTest::keyClicks(w, QStringLiteral("+*M"));
        QCOMPARE(w->size(), QSize(1280, 640));
        QTRY_VERIFY(w->pos() != QPoint(0, 0));
        form_nf2 *second = form_nf2::open_moving_window(picture);
        QVERIFY(second->Timer1->isActive());
        QTest::keyClick(second, Qt::Key_M);
        QVERIFY(!motion().motion_on && !second->Timer1->isActive());
        second->close();
        QCOMPARE(layer->ends, 0);
        w->close();
        QCOMPARE(layer->ends, 1);
    }

    // Enter goes full screen; H hands the decoded picture on. A moving
    // window opened from a held picture, at a size and place, decodes nothing.
    void hand_over_keys()
    {
        QTest::keyClick(form_nf2::open_moving_window(picture), Qt::Key_Return);
        QVERIFY(motion().ignore_next_drag_over);
        QPointer<form_nf2> w = form_nf2::open_moving_window(picture);
        QTest::keyClick(w, Qt::Key_H);
        QCOMPARE(layer->opened, (QStringList{"full screen", "picture"}));
        QCOMPARE(viewer().picture_to_open, picture);
        QTRY_VERIFY(w.isNull());
        ViewerState &v = viewer();
        QVERIFY(v.picture_from_holder);
        v.handover_width = 200 * 15, v.handover_height = 100 * 15, v.fresh_open = false;
        v.anchor_left = 1500, v.anchor_top = 3000;
        form_nf2 *held = form_nf2::open_moving_window(QStringLiteral("/no/such/file.jpg"));
        QCOMPARE(held->picture().size(), QSize(400, 200));
        QCOMPARE(held->geometry(), QRect(100, 200, 200, 100));
        QCOMPARE(get_setting(key::last_picture_file), picture);
    }
};

QTEST_MAIN(tst_form_nf2)
#include "tst_form_nf2.moc"
