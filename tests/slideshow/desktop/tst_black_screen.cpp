// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/windows/f_black.h"
#include "test_env.h"
#include "x_desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using namespace lf;

// The black screen under openbox: behind the program's windows whatever the
// user does, never focused, never in a window list.
class tst_black_screen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }
    void cleanup() { f_black::unload(); QTRY_VERIFY(!f_black::loaded()); }

    // It covers the screen, is made once only, stays out of window lists, goes on Escape.
    void covers_the_screen_outside_window_lists_until_escape()
    {
        f_black::show_black_screen();
        f_black *b = f_black::loaded();
        QTRY_COMPARE(b->frameGeometry(), QGuiApplication::primaryScreen()->geometry());
        f_black::show_black_screen();
        QCOMPARE(f_black::loaded(), b);
        const desk::WindowId black = desk::id_of(b);
        QTRY_VERIFY(desk::client_list().contains(black));
        const QStringList state = desk::wm_state(black);
        QVERIFY(state.contains("_NET_WM_STATE_SKIP_TASKBAR") && state.contains("_NET_WM_STATE_SKIP_PAGER"));
        QTest::keyClick(b, Qt::Key_Escape);
        QTRY_VERIFY(!f_black::loaded());
    }

    // A click on it, alt+tab, or the window manager asked to activate it.
    void stays_behind_and_unfocused_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *a : {"click", "alt+Tab", "activate"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }
    void stays_behind_and_unfocused()
    {
        QFETCH(QString, action);
        QWidget picture;
        picture.setGeometry(500, 300, 300, 200);
        picture.show();
        QVERIFY(QTest::qWaitForWindowActive(&picture));
        f_black::show_black_screen();
        const desk::WindowId black = desk::id_of(f_black::loaded());
        const desk::WindowId front = desk::id_of(&picture);
        QTRY_VERIFY(desk::stacking().contains(black));
        QTRY_VERIFY(desk::above(front, black));

        if (action == QLatin1String("click"))
            desk::click(QPoint(20, 20));
        else if (action == QLatin1String("activate"))
            QProcess::execute("wmctrl", {"-i", "-a", QString::number(black)});
        else
            desk::key(action);
        // Once for the action, once for the focus change it may cause.
        desk::sync_with_window_manager();
        desk::sync_with_window_manager();
        QVERIFY(desk::active_window() != black);
        QVERIFY2(desk::above(front, black), "the black screen came in front");
    }
};

QTEST_MAIN(tst_black_screen)
#include "tst_black_screen.moc"
