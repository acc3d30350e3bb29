// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/windows/widget_geometry.h"
#include "dialogs/windows/f_msgbox.h"
#include "dialogs/windows/f_please_wait.h"
#include "dialogs/windows/f_sel_dir.h"
#include "panel/windows/f_start.h"
#include "test_env.h"
#include "test_windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace lf;

class tst_dialog_windows : public QObject {
    Q_OBJECT
    QString tree;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{19200, 14400, 600});
        tree = test::fresh_folder("tree");
        for (const char *f : {"/Holiday/Day 1", "/archive", "/.cache"})
            QDir().mkpath(tree + f);
        test::write_file(tree + "/a.jpg");
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
        show_message_window("line one\r\nline two", "A title");
        f_msgbox *w = f_msgbox::loaded();
        QVERIFY(w && w->isVisible() && !w->isModal());
        QCOMPARE(w->windowTitle(), "A title");
        QCOMPARE(outer_geometry(w), outer_geometry(f_start::loaded()));
        QPlainTextEdit *t = w->Text1;
        t->setFocus();
        QTest::keyClicks(t, "xyz");
        QCOMPARE(t->toPlainText(), "line one\nline two");
        t->moveCursor(QTextCursor::Start);
        QTest::keyClick(t, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(t->textCursor().selectedText(), "l");
        QTest::mouseClick(w->b_ok, Qt::LeftButton);
        QTRY_VERIFY(!f_msgbox::loaded());
        show_message_window("x", "t");
        QTest::keyClick(f_msgbox::loaded()->Text1, Qt::Key_Escape);
        QTRY_VERIFY(!f_msgbox::loaded());
    }

    void please_wait_centred_and_only_cancel_closes_it()
    {
        f_please_wait::show_text("Sorting...");
        f_please_wait *w = f_please_wait::get();
        const TwipRect win = outer_geometry(w);
        QVERIFY(!w->b_cancel->isVisible());
        QVERIFY(qAbs(win.left - 6600) <= 15 && qAbs(win.top - (13800 - win.height) / 2) <= 15);
        QTest::keyClick(w, Qt::Key_Escape);
        w->close();
        QVERIFY(f_please_wait::loaded());

        app().wait_signal = show_cancel;
        f_please_wait::show_text("Scanning folders\n(click Cancel to stop scanning)");
        QCOMPARE(w->b_cancel->text(), "Cancel");
        QTest::mouseClick(w->b_cancel, Qt::LeftButton);
        QTRY_VERIFY(!f_please_wait::loaded());
        QCOMPARE(app().wait_signal, "Cancel pressed");
    }

    // Keys go to the focused list or field, and on to the dialog (whose default
    // button is OK) when they ignore them. "<home>": the home folder; "<none>":
    // no answer; "/gone" does not exist. Dialogs open on the tree unless a row
    // names a start; those on the tree are checked for what they show first.
    void steps_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, const char *steps, const char *result, const char *start = "") {
            QTest::newRow(name) << QString(start) << QString(steps) << QString(result);
        };
        row("Enter opens", "list:End,list:Return,list:End,list:Return,ok", "/Holiday/Day 1");
        row("Enter on .. goes up", "list:Home,list:Return,ok", "", "/Holiday");
        row("ok takes the highlight", "click:archive,ok", "/archive");
        row("a highlighted .. is the parent", "click:..,ok", "", "/Holiday");
        row("typed path, Enter", "type:/Holiday/Day 1,field:Return,ok", "/Holiday/Day 1");
        row("typed path beats the highlight", "click:archive,type:/Holiday,ok", "/Holiday");
        row("typed missing path, Enter", "type:/nowhere,field:Return,ok", "/archive", "/archive");
        row("hidden folders on Ctrl+H", "list:Ctrl+H,click:.cache,ok", "/.cache");
        row("hidden folders by the box", "check,click:.cache,list:Return,ok", "/.cache");
        row("cancel after browsing", "list:End,list:Return,cancel", "<none>");
        row("escape", "list:Escape", "<none>");
        row("close box keeps the start", "click:archive,list:Return,close", "");
        row("deleted start folder", "ok", "<home>", "/gone");
    }
    void steps()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, result);
        bool stayed_open = true;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<f_sel_dir *>(QApplication::activeModalWidget());
            seen = QStringList{d->windowTitle(), d->t_selected_dir->text(), d->Drive1->itemText(0)};
            for (QListWidget *l : {d->Dir1, d->File1})
                for (int i = 0; i < l->count(); ++i)
                    seen << l->item(i)->text();
            d->activateWindow(); // shortcuts need the active window
            if (!QTest::qWaitForWindowActive(d))
                return d->b_cancel->click();
            for (const QString &step : steps.split(',')) {
                const QString kind = step.section(':', 0, 0), arg = step.section(':', 1);
                stayed_open = stayed_open && d->isVisible();
                const auto found = d->Dir1->findItems(arg, Qt::MatchExactly);
                if (const QMap<QString, QAbstractButton *> b{{"ok", d->b_ok}, {"check", d->c_hidden}}; b.contains(kind))
                    b[kind]->click();
                else if (kind == "cancel" || (kind == "click" && found.isEmpty())) // not listed: the result tells
                    d->b_cancel->click();
                else if (kind == "close")
                    d->close();
                else if (kind == "click")
                    QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {},
                                      d->Dir1->visualItemRect(found.first()).center());
                else if (kind == "type") {
                    d->t_selected_dir->clear();
                    QTest::keyClicks(d->t_selected_dir, tree + arg);
                } else {
                    QWidget *to = kind == "list" ? static_cast<QWidget *>(d->Dir1) : d->t_selected_dir;
                    const QKeySequence k(arg);
                    QTest::keyClick(to, Qt::Key(k[0].key()), k[0].keyboardModifiers());
                }
            }
        });
        const QString r = f_sel_dir::choose(QString("Select initial directory for search"), tree + start);
        QVERIFY2(stayed_open, "a key closed the dialog");
        if (start.isEmpty())
            QCOMPARE(seen, (QStringList{"Select initial directory for search", tree, "/", "..", "archive", "Holiday",
                                        "a.jpg"}));
        QCOMPARE(r, result == "<home>" ? QDir::homePath() : result == "<none>" ? QString() : tree + result);
    }
};

QTEST_MAIN(tst_dialog_windows)
#include "tst_dialog_windows.moc"
