// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screen.h"
#include "app/settings.h"
#include "app/twips.h"
#include "app/window_registry.h"
#include "motion/motion_state.h"
#include "motion/windows/form_nf2.h"
#include "test_env.h"
#include "test_windows.h"
#include "viewer/viewer_state.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <QtTest>

using namespace lf;

// Real windows, but the hand-over targets are only recorded.
class HandOver : public test::TestWindows {
public:
    QStringList opened;
    void new_picture_window() override { opened << QStringLiteral("picture"); }
    void open_slide_show_window() override { opened << QStringLiteral("full screen"); }
};

class tst_form_nf2 : public QObject {
    Q_OBJECT
    QString picture;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{19200, 14400, 600});
        picture = test::fresh_folder(QStringLiteral("m")) + QStringLiteral("/Wide.jpg");
        QImage img(400, 200, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        QVERIFY(img.save(picture, "JPG"));
        viewer().fresh_open = true;
    }
    void cleanup()
    {
        test::delete_all_windows();
    }

    void opens_centred_at_picture_size_and_registers()
    {
        HandOver layer;
        form_nf2 *w = form_nf2::open_moving_window(picture);
        QCOMPARE(w->size(), QSize(400, 200));
        QCOMPARE(w->pos(), QPoint((1280 - 400) / 2, (920 - 200) / 2));
        QCOMPARE(registry().open_moving_windows, QStringLiteral("|0001"));
        QCOMPARE(QGuiApplication::clipboard()->text(), picture);
        QCOMPARE(get_setting(key::last_picture_file), picture);
        // The size keys keep the proportions; '*' fills the work area's width.
        QTest::keyClicks(w, QStringLiteral("+*"));
        QCOMPARE(w->geometry(), QRect(0, 0, 1280, 640));

        w->close();
        QVERIFY(registry().open_moving_windows.isEmpty());
        QCOMPARE(layer.ends, 1);
    }

    void motion_is_remembered_for_the_next_window()
    {
        HandOver layer;
        form_nf2 *first = form_nf2::open_moving_window(picture);
        QTest::keyClick(first, Qt::Key_M);
        QVERIFY(motion().motion_on);
        const QPoint start = first->pos();
        QTRY_VERIFY(first->pos() != start);

        form_nf2 *second = form_nf2::open_moving_window(picture);
        QVERIFY(second->Timer1->isActive());
        QCOMPARE(second->tag(), QStringLiteral("0002"));
        QTest::keyClick(second, Qt::Key_M);
        QVERIFY(!motion().motion_on);
        QVERIFY(!second->Timer1->isActive());
    }

    void h_hands_the_decoded_picture_to_a_picture_window()
    {
        HandOver layer;
        form_nf2 *w = form_nf2::open_moving_window(picture);
        QPointer<form_nf2> guard(w);
        QTest::keyClick(w, Qt::Key_H);
        QCOMPARE(layer.opened, QStringList{QStringLiteral("picture")});
        QVERIFY(viewer().picture_from_holder);
        QCOMPARE(viewer().holder.size(), QSize(400, 200));
        QCOMPARE(viewer().picture_to_open, picture);
        QTRY_VERIFY(guard.isNull());
    }

    void a_held_picture_is_not_decoded_again()
    {
        HandOver layer;
        QImage held(300, 600, QImage::Format_RGB32);
        held.fill(Qt::red);
        viewer().holder = held;
        viewer().picture_from_holder = true;
        viewer().handover_width = 150 * 15;
        viewer().handover_height = 300 * 15;
        viewer().fresh_open = false;
        viewer().anchor_left = 1500;
        viewer().anchor_top = 3000;
        form_nf2 *w = form_nf2::open_moving_window(QStringLiteral("/no/such/file.jpg"));
        QCOMPARE(w->picture().size(), QSize(300, 600));
        QCOMPARE(w->size(), QSize(150, 300));
        QCOMPARE(w->pos(), QPoint(100, 200));
        QVERIFY(!viewer().picture_from_holder);
        QVERIFY(get_setting(key::last_picture_file).isEmpty());
    }

    void enter_goes_full_screen()
    {
        HandOver layer;
        form_nf2 *w = form_nf2::open_moving_window(picture);
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(layer.opened, QStringList{QStringLiteral("full screen")});
        QVERIFY(motion().ignore_next_drag_over);
    }
};

QTEST_MAIN(tst_form_nf2)
#include "tst_form_nf2.moc"
