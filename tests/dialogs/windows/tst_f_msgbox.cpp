// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/widget_geometry.h"
#include "dialogs/windows/f_msgbox.h"
#include "panel/windows/f_start.h"
#include "test_env.h"
#include "test_windows.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace lf;

namespace {
// Within one pixel (15 twips) on every side.
bool near(const TwipRect &a, const TwipRect &b)
{
    return qAbs(a.left - b.left) < 15 && qAbs(a.top - b.top) < 15 && qAbs(a.width - b.width) < 15
        && qAbs(a.height - b.height) < 15;
}
} // namespace

class tst_f_msgbox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }
    void cleanup()
    {
        if (f_msgbox *w = f_msgbox::loaded())
            delete w;
        if (f_start *p = f_start::loaded())
            delete p;
    }

    void shows_text_and_title_in_the_panels_place()
    {
        test::TestWindows windows;
        f_start::show_main_panel();
        f_start *panel = f_start::loaded();
        QVERIFY(panel);
        set_outer_geometry(panel, TwipRect{1500, 1200, 6000, 5000});
        show_message_window(QStringLiteral("line one\r\nline two"), QStringLiteral("A title"));
        f_msgbox *w = f_msgbox::loaded();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(w->windowTitle(), QStringLiteral("A title"));
        QCOMPARE(w->Text1->toPlainText(), QStringLiteral("line one\nline two"));
        QCOMPARE(outer_geometry(w), outer_geometry(panel));
        QVERIFY(near(control_geometry(w->Text1), TwipRect{105, 90, 5700, 3850}));
        QVERIFY(near(control_geometry(w->b_ok), TwipRect{2205, 4060, 1500, 300}));
        QVERIFY(!w->pic_adjust->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("f_msgbox"));
        QCOMPARE(w->Text1->objectName(), QStringLiteral("Text1"));
        QCOMPARE(w->b_ok->objectName(), QStringLiteral("b_ok"));
    }

    void typing_changes_nothing_but_caret_and_selection_work()
    {
        const QString text = QStringLiteral("abcdef\nsecond line");
        show_message_window(text, QStringLiteral("t"));
        f_msgbox *w = f_msgbox::loaded();
        QPlainTextEdit *t = w->Text1;
        t->setFocus();
        QTest::keyClicks(t, QStringLiteral("xyz"));
        QTest::keyClick(t, Qt::Key_Backspace);
        QTest::keyClick(t, Qt::Key_Delete);
        QCOMPARE(t->toPlainText(), text);
        // Even a change made from outside is put back.
        t->setPlainText(QStringLiteral("other"));
        QCOMPARE(t->toPlainText(), text);

        QTextCursor c = t->textCursor();
        c.setPosition(0);
        t->setTextCursor(c);
        QTest::keyClick(t, Qt::Key_Right);
        QCOMPARE(t->textCursor().position(), 1);
        QTest::keyClick(t, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(t->textCursor().selectedText(), QStringLiteral("b"));
    }

    void a_low_window_snaps_back_to_2000()
    {
        show_message_window(QStringLiteral("x"), QStringLiteral("t"));
        f_msgbox *w = f_msgbox::loaded();
        set_outer_size(w, 6000, 1200);
        QTRY_VERIFY(qAbs(outer_geometry(w).height - 2000) < 15);
        QVERIFY(near(control_geometry(w->Text1), TwipRect{105, 90, 5700, 850}));
    }

    void ok_and_escape_close_it()
    {
        show_message_window(QStringLiteral("x"), QStringLiteral("t"));
        QTest::mouseClick(f_msgbox::loaded()->b_ok, Qt::LeftButton);
        QTRY_VERIFY(!f_msgbox::loaded());

        show_message_window(QStringLiteral("x"), QStringLiteral("t"));
        f_msgbox *w = f_msgbox::loaded();
        QTest::keyClick(w->Text1, Qt::Key_Escape);
        QTRY_VERIFY(!f_msgbox::loaded());
    }
};

QTEST_MAIN(tst_f_msgbox)
#include "tst_f_msgbox.moc"
