// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/windows/widget_geometry.h"
#include "dialogs/windows/f_please_wait.h"
#include "test_env.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace lf;

class tst_f_please_wait : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{19200, 14400, 600});
    }
    void cleanup() { f_please_wait::unload(); }

    void short_caption_without_cancel()
    {
        f_please_wait::show_text(QStringLiteral("Sorting..."));
        f_please_wait *w = f_please_wait::get();
        const TwipRect label = control_geometry(w->Label1);
        const TwipRect win = outer_geometry(w);
        QCOMPARE(win.width, 6000);
        QVERIFY(qAbs(label.top - 400) < 15); // one pixel is 15 twips
        QVERIFY(qAbs(label.left - (6000 - label.width) / 2) <= 15);
        QVERIFY(qAbs(win.height - (bottom_edge(label) + 500)) <= 15);
        QVERIFY(!w->b_cancel->isVisible());
        // Centred above the taskbar.
        QVERIFY(qAbs(win.left - (19200 - 6000) / 2) <= 15);
        QVERIFY(qAbs(win.top - (14400 - 600 - win.height) / 2) <= 15);
    }

    void cancel_is_shown_on_request_and_reported()
    {
        app().wait_signal = show_cancel;
        f_please_wait::show_text(QStringLiteral("Scanning folders, this may take some time...\n"
                                                "(click Cancel to stop scanning)"));
        f_please_wait *w = f_please_wait::get();
        QVERIFY(w->b_cancel->isVisible());
        QCOMPARE(w->b_cancel->text(), QStringLiteral("Cancel"));
        const TwipRect label = control_geometry(w->Label1);
        const TwipRect button = control_geometry(w->b_cancel);
        QVERIFY(qAbs(button.top - (bottom_edge(label) + 200)) <= 15);
        QVERIFY(qAbs(outer_geometry(w).height - (bottom_edge(button) + 320)) <= 15);

        QTest::mouseClick(w->b_cancel, Qt::LeftButton);
        QVERIFY(cancel_was_pressed(app()));
        QTRY_VERIFY(!f_please_wait::loaded());
        QCOMPARE(app().wait_signal, QStringLiteral("Cancel pressed"));
    }

    void keys_and_the_close_box_do_not_close_it()
    {
        f_please_wait::show_text(QStringLiteral("Please wait..."));
        f_please_wait *w = f_please_wait::get();
        QTest::keyClick(w, Qt::Key_Escape);
        w->close();
        QVERIFY(f_please_wait::loaded());
        QVERIFY(app().wait_signal.isEmpty());
    }

    void a_long_caption_widens_the_window()
    {
        const QString text(300, QLatin1Char('W'));
        f_please_wait::show_text(text);
        f_please_wait *w = f_please_wait::get();
        const TwipRect label = control_geometry(w->Label1);
        QVERIFY(label.width > 6000);
        QCOMPARE(outer_geometry(w).width, label.width + 600);
    }
};

QTEST_MAIN(tst_f_please_wait)
#include "tst_f_please_wait.moc"
