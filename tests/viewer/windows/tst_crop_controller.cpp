// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/clock.h"
#include "app/windows/widget_geometry.h"
#include "fake_windows.h"
#include "motion/motion_state.h"
#include "test_env.h"
#include "viewer/windows/crop_controller.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

using namespace lf;

class tst_crop_controller : public QObject {
    Q_OBJECT
    QTime at;
    void tick(int ms) { at = at.addMSecs(ms); }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().frame_width = 120;
        app().frame_height = 405;
        at = QTime(12, 0);
        set_clock([this] { return QDateTime(QDate(2026, 3, 1), at); });
    }

    void crop_mode_by_keys_and_drag()
    {
        test::FakeWindows w;
        QWidget window;
        auto *picture = new QLabel(&window);
        picture->setObjectName(QStringLiteral("Imagex"));
        QAction allow(&window);
        allow.setObjectName(QStringLiteral("m_allow_cropping"));
        CropController crop(&window, picture, &allow);
        crop.set_file_name(QStringLiteral("Photo.JPG"));
        window.resize(200, 100);
        picture->setGeometry(0, 0, 400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::keyClick(&window, Qt::Key_Right); // not in crop mode: nothing moves
        QKeyEvent early(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QVERIFY(!crop.key_down(&early));
        crop.toggle();
        QVERIFY(crop.crop_mode());
        QVERIFY(allow.isChecked());
        QCOMPARE(picture->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(window.windowTitle(), QStringLiteral("photo.jpg (0, 0)"));

        tick(2000);
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QVERIFY(crop.key_down(&right));
        QCOMPARE(picture->pos(), QPoint(-1, 0));
        QCOMPARE(window.width(), 199);
        tick(300); // quick repeat: six times the step
        QVERIFY(crop.key_down(&right));
        QCOMPARE(picture->pos(), QPoint(-7, 0));
        QCOMPARE(window.width(), 193);
        QCOMPARE(window.windowTitle(), QStringLiteral("photo.jpg (-7, 0)"));
        tick(300);
        QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
        QVERIFY(crop.key_down(&home)); // 7 px - 120 px: back past the edge, no beep
        QVERIFY(w.calls.isEmpty());
        tick(2000);
        picture->move(-20, 0);
        QVERIFY(crop.key_down(&home)); // exactly at the edge
        QCOMPARE(picture->pos(), QPoint(0, 0));
        QCOMPARE(w.calls, QStringList{QStringLiteral("beep")});

        // Dragging moves the picture and marks the window cropped.
        picture->move(0, 0);
        QVERIFY(!crop.cropped());
        QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), picture->mapToGlobal(QPointF(30, 40)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QCOMPARE(picture->pos(), QPoint(-20, -10));
        QVERIFY(crop.cropped());
        QCOMPARE(window.windowTitle(), QStringLiteral("photo.jpg (-20, -10)"));

        // The first move after a hand-over from the moving window is passed by.
        motion().ignore_next_drag_over = true;
        QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QApplication::sendEvent(picture, &move);
        QCOMPARE(picture->pos(), QPoint(-20, -10));
        QVERIFY(!motion().ignore_next_drag_over);
        QApplication::sendEvent(picture, &move);
        QCOMPARE(picture->pos(), QPoint(-40, -20));
        QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        picture->move(-20, -10);

        // The window may keep the flags in its own state.
        bool mode = true, cropped = false;
        crop.bind_state(&mode, &cropped);
        crop.note_resize();
        QVERIFY(cropped);
        crop.toggle();
        QVERIFY(!mode);
        QVERIFY(!allow.isChecked());
        QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
        crop.note_resize();
        crop.reset();
        QVERIFY(!crop.cropped());
    }
};

QTEST_MAIN(tst_crop_controller)
#include "tst_crop_controller.moc"
