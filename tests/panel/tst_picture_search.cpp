// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_injection.h"
#include "panel/picture_search.h"
#include "test_env.h"

#include <QFile>
#include <QtTest>

#include <sys/stat.h>

using namespace lf;

class tst_picture_search : public QObject {
    Q_OBJECT
    static QStringList run(const QString &start, const SearchFields &f = {})
    {
        PictureSearch s(start, f);
        while (s.step(50)) {
        }
        return s.found();
    }

private Q_SLOTS:
    void init() { test::reset_everything(); }

    void texts_shown()
    {
        QCOMPARE(search_question({}, "/home/a"),
                 "All gif/jpg/bmp files  in directory \"/home/a\" and all subdirectories will be searched. Proceed?");
        QCOMPARE(search_question({{}, "x", {}, true}, "/p"),
                 "All gif/jpg/bmp files  whose names contain string in 'find 1' and string in 'find 2' and string "
                 "in 'find 3'  in directory \"/p\" and all subdirectories will be searched. Proceed?");
        QVERIFY(search_question({" ", {}, {}, false}, "/p").contains("'find 1' or string in 'find 2' or string"));
        QCOMPARE(search_thumbnail_prefix({"a", {}, "c/d", false}), "search_or_a$$c_d_");
        QCOMPARE(search_thumbnail_prefix({{}, {}, {}, true}), "search_and_$$_");
    }

    void matching_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("use_and");
        QTest::addColumn<bool>("match");
        QTest::newRow("no fields") << "/a/b.jpg" << QStringList{"", ""} << true << true;
        QTest::newRow("blank field is inactive") << "/a/b.jpg" << QStringList{"  ", ""} << true << true;
        QTest::newRow("and both") << "/sea/dog.jpg" << QStringList{"SEA", "dog"} << true << true;
        QTest::newRow("and one") << "/sea/cat.jpg" << QStringList{"sea", "dog"} << true << false;
        QTest::newRow("or one") << "/sea/cat.jpg" << QStringList{"sea", "dog"} << false << true;
        QTest::newRow("or none") << "/lake/cat.jpg" << QStringList{"sea", "dog"} << false << false;
        QTest::newRow("folder name") << "/summer 2003/x.jpg" << QStringList{"summer 2003", ""} << true << true;
        QTest::newRow("blanks as typed") << "/summer2003/x.jpg" << QStringList{"summer 2003", ""} << true << false;
    }
    void matching()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, fields);
        QFETCH(bool, use_and);
        QTEST(path_matches(path, {fields[0], fields[1], QString(), use_and}), "match");
    }

    // Breadth first; only .gif/.jpg/.bmp in any case, and no name a list cannot hold.
    void walks_level_by_level()
    {
        const QString root = test::fresh_folder("tree");
        for (const char *f : {"/b/deep/z.jpg", "/a/y.Jpg", "/top.BMP", "/other.jpeg", "/note.pdf", "/a/c.gif",
                              "/two\nlines.jpg"})
            test::write_file(root + f);
        QStringList got = run(root);
        std::sort(got.begin() + 1, got.begin() + 3);
        QCOMPARE(got, (QStringList{root + "/top.BMP", root + "/a/c.gif", root + "/a/y.Jpg", root + "/b/deep/z.jpg"}));
        QCOMPARE(run(root + '/'), run(root));

        PictureSearch s(root, {"DEEP", {}, {}, true});
        while (s.step(0)) {
        }
        QCOMPARE(s.found(), QStringList{root + "/b/deep/z.jpg"});
        QCOMPARE(s.folders_searched(), 4);
        QCOMPARE(s.entries_searched(), 10);
    }

    void unreadable_folders_and_links_are_passed_by()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        const QString root = test::fresh_folder("tree");
        test::write_file(root + "/locked/x.jpg");
        test::write_file(root + "/open/y.jpg");
        QVERIFY(QFile::link(root + "/open", root + "/open/loop"));
        ::chmod(QFile::encodeName(root + "/locked").constData(), 0);
        const QStringList got = run(root);
        ::chmod(QFile::encodeName(root + "/locked").constData(), 0755);
        QCOMPARE(got, QStringList{root + "/open/y.jpg"});
    }
};

QTEST_GUILESS_MAIN(tst_picture_search)
#include "tst_picture_search.moc"
