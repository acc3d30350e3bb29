// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lf;

class tst_paths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void split_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("nested") << "/a/b.jpg" << "/a" << "b.jpg";
        QTest::newRow("root") << "/b.jpg" << "" << "b.jpg";
        QTest::newRow("bare") << "b.jpg" << "" << "b.jpg";
        QTest::newRow("colon is a name character") << "/p/12:30 lunch.jpg" << "/p"
                                                   << "12:30 lunch.jpg";
        QTest::newRow("backslash is a name character") << "/p/a\\b.jpg" << "/p" << "a\\b.jpg";
        QTest::newRow("trailing slash") << "/p/q/" << "/p/q" << "";
        QTest::newRow("empty") << "" << "" << "";
    }
    void split()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(folder_of(path), folder);
        QCOMPARE(file_name_of(path), name);
    }

    void strip_quotes_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("wrapped") << "\"/a b/c.jpg\"" << "/a b/c.jpg";
        QTest::newRow("leading only") << "\"/c.jpg" << "/c.jpg";
        QTest::newRow("trailing only") << "/c.jpg\"" << "/c.jpg";
        QTest::newRow("inner quote kept") << "/a\"b.jpg" << "/a\"b.jpg";
        QTest::newRow("one pair only") << "\"\"x\"\"" << "\"x\"";
        QTest::newRow("lone quote") << "\"" << "";
    }
    void strip_quotes()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        lf::strip_quotes(in);
        QCOMPARE(in, out);
    }

    void is_url_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("url");
        QTest::newRow("https") << "https://example.org" << true;
        QTest::newRow("HTTP caps") << "HTTP://example.org" << true;
        QTest::newRow("ftp") << "Ftp://host/file" << true;
        QTest::newRow("www") << "WWW.example.org" << true;
        QTest::newRow("mail") << "mailto:someone@example.org" << false;
        QTest::newRow("address") << "someone@example.org" << false;
        QTest::newRow("path") << "/home/www.jpg" << false;
        QTest::newRow("empty") << "" << false;
    }
    void is_url()
    {
        QFETCH(QString, text);
        QFETCH(bool, url);
        QCOMPARE(lf::is_url(text), url);
    }

    void picture_extensions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("picture");
        QTest::newRow("jpg") << "/a/b.jpg" << true;
        QTest::newRow("JPG") << "/a/b.JPG" << true;
        QTest::newRow("Gif") << "/a/b.Gif" << true;
        QTest::newRow("bmp") << "/a/b.bmp" << true;
        QTest::newRow("jpeg is not taken") << "/a/b.jpeg" << false;
        QTest::newRow("png is not taken") << "/a/b.png" << false;
        QTest::newRow("dot in folder only") << "/a.jpg/b" << false;
        QTest::newRow("no extension") << "/a/jpg" << false;
    }
    void picture_extensions()
    {
        QFETCH(QString, path);
        QFETCH(bool, picture);
        QCOMPARE(is_picture_file(path), picture);
    }

    void first_line_cuts_at_line_break()
    {
        QCOMPARE(first_line(QStringLiteral("http://a\r\nsecond")), QStringLiteral("http://a"));
        QCOMPARE(first_line(QStringLiteral("http://a\nsecond")), QStringLiteral("http://a"));
        QCOMPARE(first_line(QStringLiteral("single")), QStringLiteral("single"));
    }

    void file_exists_on_disk()
    {
        const QString dir = test::fresh_folder(QStringLiteral("exists"));
        test::write_file(dir + QStringLiteral("/.hidden.jpg"));
        QDir().mkpath(dir + QStringLiteral("/.hidden folder"));
        QFile::link(dir + QStringLiteral("/gone.jpg"), dir + QStringLiteral("/dangling.jpg"));

        QVERIFY(file_exists(dir));
        QVERIFY(file_exists(dir + QStringLiteral("/.hidden.jpg")));
        QVERIFY(file_exists(dir + QStringLiteral("/.hidden folder")));
        QVERIFY(!file_exists(dir + QStringLiteral("/missing.jpg")));
        QVERIFY(!file_exists(dir + QStringLiteral("/dangling.jpg")));
        QVERIFY(!file_exists(QStringLiteral("   ")));
        QVERIFY(!file_exists(QString()));

        // The modification time knows the same files, and tells their time.
        for (const char *name : {"", "/.hidden.jpg", "/.hidden folder", "/missing.jpg", "/dangling.jpg"}) {
            const QString p = dir + QLatin1String(name);
            QCOMPARE(modification_time(p).isValid(), file_exists(p));
        }
        QVERIFY(!modification_time(QStringLiteral("   ")).isValid());
        const QString file = dir + QStringLiteral("/.hidden.jpg");
        const QDateTime when(QDate(2021, 6, 1), QTime(12, 30, 15, 250), Qt::UTC);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        f.close();
        QCOMPARE(modification_time(file), when);
        QCOMPARE(modification_time(file).timeSpec(), Qt::UTC);
    }

    void absolute_paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("absolute"); // against /x
        QTest::newRow("relative") << "a/../b.jpg" << "/x/b.jpg";
        QTest::newRow("untidy absolute") << "/y//z/./c.jpg/" << "/y/z/c.jpg";
        QTest::newRow("empty") << "" << "";
    }
    void absolute_paths()
    {
        QFETCH(QString, path);
        QFETCH(QString, absolute);
        QCOMPARE(absolute_path(path, QStringLiteral("/x")), absolute);
    }

    void lists_keep_only_names_they_can_give_back()
    {
        QVERIFY(storable_path(QByteArray("/p/Größe.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/caf\xe9.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/two\nlines.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/a\r.jpg")));
    }

    void on_disk_name_keeps_an_exact_name()
    {
        const QString dir = test::fresh_folder(QStringLiteral("case"));
        const QString path = dir + QStringLiteral("/Ünïcode Photo.JPG");
        test::write_file(path);
        QCOMPARE(on_disk_name(path), path);
        QCOMPARE(on_disk_name(dir + QStringLiteral("/absent.jpg")),
                 dir + QStringLiteral("/absent.jpg"));
    }
};

QTEST_GUILESS_MAIN(tst_paths)
#include "tst_paths.moc"
