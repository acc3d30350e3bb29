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
// Runs `act` on the dialog once it is up, then reads the result.
QString run_dialog(const QString &start, const std::function<void(f_sel_dir *)> &act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<f_sel_dir *>(w); d && d->isVisible()) {
                act(d);
                return;
            }
        }
    });
    return f_sel_dir::choose(QStringLiteral("Select initial directory for search"), start);
}

QListWidgetItem *dir_item(f_sel_dir *d, const QString &name)
{
    const auto found = d->Dir1->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
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
        test::write_file(tree + QStringLiteral("/a.jpg"));
    }

    void shows_the_start_folder_and_ok_returns_it()
    {
        QString caption, shown;
        QStringList dirs, files;
        const QString r = run_dialog(tree, [&](f_sel_dir *d) {
            caption = d->windowTitle();
            shown = d->t_selected_dir->text();
            for (int i = 0; i < d->Dir1->count(); ++i)
                dirs << d->Dir1->item(i)->text();
            for (int i = 0; i < d->File1->count(); ++i)
                files << d->File1->item(i)->text();
            d->b_ok->click();
        });
        QCOMPARE(r, tree);
        QCOMPARE(caption, QStringLiteral("Select initial directory for search"));
        QCOMPARE(shown, tree);
        QCOMPARE(dirs, (QStringList{QStringLiteral(".."), QStringLiteral("archive"),
                                    QStringLiteral("Holiday")}));
        QCOMPARE(files, QStringList{QStringLiteral("a.jpg")});
    }

    // Keys go where the user's keys go: to the focused list or field, and on
    // to the dialog (whose default button is OK) when they ignore them.
    void keyboard_and_typed_paths_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("result");
        QTest::newRow("Enter opens, two levels down")
            << "" << QStringList{"list:End", "list:Return", "list:End", "list:Return", "ok"}
            << "/Holiday/Day 1";
        QTest::newRow("Enter on .. goes up and stays open")
            << "/Holiday" << QStringList{"list:Home", "list:Return", "ok"} << "";
        QTest::newRow("ok returns the highlighted folder")
            << "" << QStringList{"click:archive", "ok"} << "/archive";
        QTest::newRow("a highlighted .. is the parent")
            << "/Holiday" << QStringList{"click:..", "ok"} << "";
        QTest::newRow("typed path, Enter goes there")
            << "" << QStringList{"type:/Holiday/Day 1", "field:Return", "ok"} << "/Holiday/Day 1";
        QTest::newRow("typed path, ok takes it")
            << "" << QStringList{"click:archive", "type:/Holiday", "ok"} << "/Holiday";
        QTest::newRow("typed missing path, Enter stays")
            << "/archive" << QStringList{"type:/nowhere", "field:Return", "ok"} << "/archive";
        QTest::newRow("hidden folders on Ctrl+H")
            << "" << QStringList{"list:Ctrl+H", "click:.cache", "ok"} << "/.cache";
        QTest::newRow("hidden folders by the check box")
            << "" << QStringList{"check", "click:.cache", "list:Return", "ok"} << "/.cache";
    }
    void keyboard_and_typed_paths()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, steps);
        QFETCH(QString, result);
        QDir().mkpath(tree + QStringLiteral("/.cache"));
        bool stayed_open = true;
        const QString r = run_dialog(tree + start, [&](f_sel_dir *d) {
            d->activateWindow(); // shortcuts need the active window
            if (!QTest::qWaitForWindowActive(d))
                return d->b_cancel->click();
            for (const QString &step : steps) {
                const QString kind = step.section(':', 0, 0), arg = step.section(':', 1);
                if (kind == QLatin1String("ok")) {
                    stayed_open = d->isVisible();
                    d->b_ok->click();
                } else if (kind == QLatin1String("click")) {
                    QListWidgetItem *it = dir_item(d, arg);
                    if (!it) { // not listed: the result tells
                        d->b_cancel->click();
                        return;
                    }
                    QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {},
                                      d->Dir1->visualItemRect(it).center());
                } else if (kind == QLatin1String("type")) {
                    d->t_selected_dir->setFocus();
                    d->t_selected_dir->selectAll();
                    QTest::keyClicks(d->t_selected_dir, tree + arg);
                } else if (kind == QLatin1String("check")) {
                    d->c_hidden->click();
                } else {
                    QWidget *to = kind == QLatin1String("list") ? static_cast<QWidget *>(d->Dir1)
                                                                : d->t_selected_dir;
                    const QKeySequence k(arg);
                    QTest::keyClick(to, Qt::Key(k[0].key()), k[0].keyboardModifiers());
                }
            }
        });
        QVERIFY2(stayed_open, "a key closed the dialog");
        QCOMPARE(r, tree + result);
    }

    void cancel_returns_empty_even_after_browsing()
    {
        const QString r = run_dialog(tree, [](f_sel_dir *d) {
            Q_EMIT d->Dir1->itemActivated(dir_item(d, QStringLiteral("archive")));
            d->b_cancel->click();
        });
        QCOMPARE(r, QString());
        QCOMPARE(run_dialog(tree, [](f_sel_dir *d) { QTest::keyClick(d, Qt::Key_Escape); }),
                 QString());
    }

    void close_box_leaves_the_start_value()
    {
        const QString r = run_dialog(tree, [](f_sel_dir *d) {
            Q_EMIT d->Dir1->itemActivated(dir_item(d, QStringLiteral("archive")));
            d->close();
        });
        QCOMPARE(r, tree);
    }

    void a_deleted_start_folder_falls_back_to_home()
    {
        const QString gone = tree + QStringLiteral("/gone");
        QCOMPARE(run_dialog(gone, [](f_sel_dir *d) { d->b_ok->click(); }), QDir::homePath());
        QCOMPARE(run_dialog(QString(), [](f_sel_dir *d) { d->b_ok->click(); }), QDir::homePath());
    }

    void drives_start_with_the_root_and_a_drive_change_moves_there()
    {
        const QString r = run_dialog(tree, [](f_sel_dir *d) {
            QCOMPARE(d->Drive1->itemText(0), QStringLiteral("/"));
            d->Drive1->setCurrentIndex(0);
            d->b_ok->click();
        });
        // The tree may sit on a volume of its own; "/" is reached either way.
        QVERIFY(r == QStringLiteral("/") || r == tree);
    }
};

QTEST_MAIN(tst_f_sel_dir)
#include "tst_f_sel_dir.moc"
