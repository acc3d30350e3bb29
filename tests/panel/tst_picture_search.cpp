// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_injection.h"
#include "panel/picture_search.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

using namespace lf;

class tst_picture_search : public QObject {
    Q_OBJECT

    static QStringList run(const QString &start, const SearchFields &f)
    {
        PictureSearch s(start, f);
        while (s.step(50)) {
        }
        return s.found();
    }

private Q_SLOTS:
    void init() { test::reset_everything(); }

    void question_text()
    {
        QCOMPARE(search_question({}, QStringLiteral("/home/a")),
                 QStringLiteral("All gif/jpg/bmp files  in directory \"/home/a\" and all subdirectories will be "
                                "searched. Proceed?"));
        QCOMPARE(search_question({QString(), QStringLiteral("x"), QString(), true}, QStringLiteral("/p")),
                 QStringLiteral("All gif/jpg/bmp files  whose names contain string in 'find 1' and string in "
                                "'find 2' and string in 'find 3'  in directory \"/p\" and all subdirectories "
                                "will be searched. Proceed?"));
        QVERIFY(search_question({QStringLiteral(" "), {}, {}, false}, QStringLiteral("/p"))
                    .contains(QStringLiteral("'find 1' or string in 'find 2' or string in 'find 3' ")));
    }

    void matching_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("f1");
        QTest::addColumn<QString>("f2");
        QTest::addColumn<bool>("use_and");
        QTest::addColumn<bool>("match");
        QTest::newRow("no fields") << "/a/b.jpg" << "" << "" << true << true;
        QTest::newRow("blank field is inactive") << "/a/b.jpg" << "  " << "" << true << true;
        QTest::newRow("and both") << "/sea/dog.jpg" << "SEA" << "dog" << true << true;
        QTest::newRow("and one") << "/sea/cat.jpg" << "sea" << "dog" << true << false;
        QTest::newRow("or one") << "/sea/cat.jpg" << "sea" << "dog" << false << true;
        QTest::newRow("or none") << "/lake/cat.jpg" << "sea" << "dog" << false << false;
        QTest::newRow("folder name") << "/summer 2003/x.jpg" << "summer 2003" << "" << true << true;
        QTest::newRow("blanks as typed") << "/summer2003/x.jpg" << "summer 2003" << "" << true << false;
    }
    void matching()
    {
        QFETCH(QString, path);
        QFETCH(QString, f1);
        QFETCH(QString, f2);
        QFETCH(bool, use_and);
        QFETCH(bool, match);
        QCOMPARE(path_matches(path, {f1, f2, QString(), use_and}), match);
    }

    void prefix_and_counts()
    {
        QCOMPARE(search_thumbnail_prefix({QStringLiteral("a"), QString(), QStringLiteral("c/d"), false}),
                 QStringLiteral("search_or_a$$c_d_"));
        QCOMPARE(search_thumbnail_prefix({{}, {}, {}, true}), QStringLiteral("search_and_$$_"));
        QCOMPARE(search_counts_text(70000, 100000, 3),
                 QStringLiteral("directories searched: 70000  --  files searched: 100000  --  files found: 3 "));
    }

    void walks_level_by_level()
    {
        const QString root = test::fresh_folder(QStringLiteral("tree"));
        test::write_file(root + QStringLiteral("/b/deep/z.jpg"));
        test::write_file(root + QStringLiteral("/a/y.Jpg"));
        test::write_file(root + QStringLiteral("/top.BMP"));
        test::write_file(root + QStringLiteral("/other.jpeg"));
        test::write_file(root + QStringLiteral("/note.txt"));
        test::write_file(root + QStringLiteral("/a/c.gif"));
        QStringList got = run(root, {});
        QCOMPARE(got.size(), 4);
        QCOMPARE(got.first(), root + QStringLiteral("/top.BMP"));
        QCOMPARE(got.last(), root + QStringLiteral("/b/deep/z.jpg"));
        QStringList middle = got.mid(1, 2);
        middle.sort();
        QCOMPARE(middle, (QStringList{root + "/a/c.gif", root + "/a/y.Jpg"}));
        // A trailing "/" on the start folder changes nothing.
        QCOMPARE(run(root + QLatin1Char('/'), {}), got);

        PictureSearch s(root, {QStringLiteral("DEEP"), {}, {}, true});
        while (s.step(0)) {
        }
        QCOMPARE(s.found(), QStringList{root + "/b/deep/z.jpg"});
        QCOMPARE(s.folders_searched(), 4);
        QCOMPARE(s.entries_searched(), 9);
    }

    void unreadable_folders_and_links_are_passed_by()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        const QString root = test::fresh_folder(QStringLiteral("tree"));
        test::write_file(root + QStringLiteral("/locked/x.jpg"));
        test::write_file(root + QStringLiteral("/open/y.jpg"));
        QVERIFY(QFile::link(root + QStringLiteral("/open"), root + QStringLiteral("/open/loop")));
        ::chmod(QFile::encodeName(root + QStringLiteral("/locked")).constData(), 0);
        const QStringList got = run(root, {});
        ::chmod(QFile::encodeName(root + QStringLiteral("/locked")).constData(), 0755);
        QCOMPARE(got, QStringList{root + QStringLiteral("/open/y.jpg")});
    }
};

QTEST_GUILESS_MAIN(tst_picture_search)
#include "tst_picture_search.moc"
