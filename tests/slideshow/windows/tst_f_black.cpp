// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_state.h"
#include "slideshow/windows/f_black.h"
#include "test_env.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using namespace lf;

class tst_f_black : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }
    void cleanup()
    {
        f_black::unload();
        QTRY_VERIFY(!f_black::loaded());
    }

    void covers_the_screen_without_a_frame()
    {
        f_black::show_black_screen();
        f_black *b = f_black::loaded();
        QVERIFY(b);
        QVERIFY(panel_state().black_screen_loaded);
        QCOMPARE(b->geometry(), QGuiApplication::primaryScreen()->geometry());
        QVERIFY(b->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(b->windowFlags() & Qt::WindowStaysOnBottomHint);
        QCOMPARE(b->palette().color(QPalette::Window), QColor(Qt::black));
        // Loading twice keeps the one window.
        f_black::show_black_screen();
        QCOMPARE(f_black::loaded(), b);
    }

    void escape_unloads_it()
    {
        f_black::show_black_screen();
        QTest::keyClick(f_black::loaded(), Qt::Key_Escape);
        QTRY_VERIFY(!f_black::loaded());
        QVERIFY(!panel_state().black_screen_loaded);
    }
};

QTEST_MAIN(tst_f_black)
#include "tst_f_black.moc"
