// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/windows/widget_geometry.h"
#include "dialogs/windows/f_msgbox.h"
#include "dialogs/windows/f_please_wait.h"
#include "panel/windows/f_start.h"
#include "test_env.h"
#include "test_windows.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace lf;

class tst_message_windows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{19200, 14400, 600});
    }
    void cleanup()
    {
        f_please_wait::unload();
        test::delete_all_windows();
    }

    void message_in_the_panels_place_read_only()
    {
        test::TestWindows windows;
        f_start::show_main_panel();
        set_outer_geometry(f_start::loaded(), TwipRect{1500, 1200, 6000, 5000});
        show_message_window(QStringLiteral("line one\r\nline two"), QStringLiteral("A title"));
        f_msgbox *w = f_msgbox::loaded();
        QVERIFY(w && w->isVisible() && !w->isModal());
        QCOMPARE(w->windowTitle(), QStringLiteral("A title"));
        QCOMPARE(outer_geometry(w), outer_geometry(f_start::loaded()));
        const TwipRect ok = control_geometry(w->b_ok); // within a pixel (15 twips)
        QVERIFY(qAbs(ok.left - 2205) < 15 && qAbs(ok.top - 4060) < 15);
        QPlainTextEdit *t = w->Text1;
        t->setFocus();
        QTest::keyClicks(t, QStringLiteral("xyz"));
        QTest::keyClick(t, Qt::Key_Delete);
        t->setPlainText(QStringLiteral("other"));
        QCOMPARE(t->toPlainText(), QStringLiteral("line one\nline two"));
        t->moveCursor(QTextCursor::Start);
        QTest::keyClick(t, Qt::Key_Right);
        QTest::keyClick(t, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(t->textCursor().selectedText(), QStringLiteral("i"));

        set_outer_size(w, 6000, 1200);
        QTRY_VERIFY(qAbs(outer_geometry(w).height - 2000) < 15);
        QTest::mouseClick(w->b_ok, Qt::LeftButton);
        QTRY_VERIFY(!f_msgbox::loaded());
        show_message_window(QStringLiteral("x"), QStringLiteral("t"));
        QTest::keyClick(f_msgbox::loaded()->Text1, Qt::Key_Escape);
        QTRY_VERIFY(!f_msgbox::loaded());
    }

    void please_wait_centred_and_only_cancel_closes_it()
    {
        f_please_wait::show_text(QStringLiteral("Sorting..."));
        f_please_wait *w = f_please_wait::get();
        const TwipRect win = outer_geometry(w);
        QCOMPARE(win.width, 6000);
        QVERIFY(!w->b_cancel->isVisible());
        QVERIFY(qAbs(win.left - 6600) <= 15 && qAbs(win.top - (13800 - win.height) / 2) <= 15);
        QTest::keyClick(w, Qt::Key_Escape);
        w->close();
        QVERIFY(f_please_wait::loaded());

        f_please_wait::show_text(QString(300, QLatin1Char('W')));
        QCOMPARE(outer_geometry(w).width, control_geometry(w->Label1).width + 600);
        QVERIFY(outer_geometry(w).width > 6600);
        app().wait_signal = show_cancel;
        f_please_wait::show_text(QStringLiteral("Scanning folders\n(click Cancel to stop scanning)"));
        QCOMPARE(w->b_cancel->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(w->b_cancel, Qt::LeftButton);
        QVERIFY(cancel_was_pressed(app()));
        QTRY_VERIFY(!f_please_wait::loaded());
        QCOMPARE(app().wait_signal, QStringLiteral("Cancel pressed"));
    }
};

QTEST_MAIN(tst_message_windows)
#include "tst_message_windows.moc"
