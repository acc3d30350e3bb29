// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/windows/f_sel_dir.h"
#include "test_env.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace lf;

namespace {
// Runs `act` on the dialog once it is up and returns what the dialog returns.
QString run_dialog(const QString &start, const std::function<void(f_sel_dir *)> &act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<f_sel_dir *>(w); d && d->isVisible())
                return act(d);
    });
    return f_sel_dir::choose(QStringLiteral("Select initial directory for search"), start);
}
} // namespace

class tst_f_sel_dir : public QObject {
    Q_OBJECT
    QString tree;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        tree = test::fresh_folder(QStringLiteral("tree"));
        QDir().mkpath(tree + QStringLiteral("/Holiday/Day 1"));
        QDir().mkpath(tree + QStringLiteral("/archive"));
        QDir().mkpath(tree + QStringLiteral("/.cache"));
        test::write_file(tree + QStringLiteral("/a.jpg"));
    }

    void shows_the_start_folder()
    {
        QStringList seen;
        QCOMPARE(run_dialog(tree, [&](f_sel_dir *d) {
                     seen << d->windowTitle() << d->t_selected_dir->text() << d->Drive1->itemText(0);
                     for (QListWidget *l : {d->Dir1, d->File1})
                         for (int i = 0; i < l->count(); ++i)
                             seen << l->item(i)->text();
                     d->b_ok->click();
                 }),
                 tree);
        QCOMPARE(seen, (QStringList{"Select initial directory for search", tree, "/", "..", "archive", "Holiday",
                                    "a.jpg"}));
    }

    // Keys go to the focused list or field, and on to the dialog (whose
    // default button is OK) when they ignore them. "<home>", "<none>" and
    // "<gone>" stand for the home folder, no answer and a deleted folder.
    void steps_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        QTest::newRow("Enter opens, two levels down") << "" << "list:End,list:Return,list:End,list:Return,ok"
                                                      << "/Holiday/Day 1";
        QTest::newRow("Enter on .. goes up") << "/Holiday" << "list:Home,list:Return,ok" << "";
        QTest::newRow("ok returns the highlighted folder") << "" << "click:archive,ok" << "/archive";
        QTest::newRow("a highlighted .. is the parent") << "/Holiday" << "click:..,ok" << "";
        QTest::newRow("typed path, Enter goes there") << "" << "type:/Holiday/Day 1,field:Return,ok"
                                                      << "/Holiday/Day 1";
        QTest::newRow("typed path beats the highlight") << "" << "click:archive,type:/Holiday,ok" << "/Holiday";
        QTest::newRow("typed missing path, Enter stays") << "/archive" << "type:/nowhere,field:Return,ok"
                                                         << "/archive";
        QTest::newRow("hidden folders on Ctrl+H") << "" << "list:Ctrl+H,click:.cache,ok" << "/.cache";
        QTest::newRow("hidden folders by the box") << "" << "check,click:.cache,list:Return,ok" << "/.cache";
        QTest::newRow("cancel after browsing") << "" << "list:End,list:Return,cancel" << "<none>";
        QTest::newRow("escape") << "" << "list:Escape" << "<none>";
        QTest::newRow("close box keeps the start") << "" << "click:archive,list:Return,close" << "";
        QTest::newRow("deleted start folder") << "<gone>" << "ok" << "<home>";
    }
    void steps()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, result);
        bool stayed_open = true;
        const QString r = run_dialog(tree + (start == "<gone>" ? "/gone" : start), [&](f_sel_dir *d) {
            d->activateWindow(); // shortcuts need the active window
            if (!QTest::qWaitForWindowActive(d))
                return d->b_cancel->click();
            for (const QString &step : steps.split(',')) {
                const QString kind = step.section(':', 0, 0), arg = step.section(':', 1);
                stayed_open = stayed_open && d->isVisible();
                const auto found = d->Dir1->findItems(arg, Qt::MatchExactly);
                if (kind == "ok")
                    d->b_ok->click();
                else if (kind == "cancel" || (kind == "click" && found.isEmpty())) // not listed: the result tells
                    d->b_cancel->click();
                else if (kind == "close")
                    d->close();
                else if (kind == "click")
                    QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {},
                                      d->Dir1->visualItemRect(found.first()).center());
                else if (kind == "check")
                    d->c_hidden->click();
                else if (kind == "type") {
                    d->t_selected_dir->setFocus();
                    d->t_selected_dir->selectAll();
                    QTest::keyClicks(d->t_selected_dir, tree + arg);
                } else {
                    QWidget *to = kind == "list" ? static_cast<QWidget *>(d->Dir1) : d->t_selected_dir;
                    const QKeySequence k(arg);
                    QTest::keyClick(to, Qt::Key(k[0].key()), k[0].keyboardModifiers());
                }
            }
        });
        QVERIFY2(stayed_open, "a key closed the dialog");
        QCOMPARE(r, result == "<home>" ? QDir::homePath() : result == "<none>" ? QString() : tree + result);
    }
};

QTEST_MAIN(tst_f_sel_dir)
#include "tst_f_sel_dir.moc"
