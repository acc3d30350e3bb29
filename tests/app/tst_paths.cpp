// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"

#include <QtTest>

using namespace lf;

class tst_paths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Lists keep only names they can give back.
    void storable_names()
    {
        QVERIFY(storable_path(QByteArray("/p/Größe.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/caf\xe9.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/two\nlines.jpg")));
        QVERIFY(!storable_path(QByteArray("/p/a\r.jpg")));
    }

    // Text in, text out, per rule: a path's folder and name, quotes taken off
    // a typed path, the web address test, the picture types, absolute paths
    // (against /x).
    void text_rules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const auto row = [](const char *n, const char *r, const char *i, const char *o) { QTest::newRow(n) << QString(r) << QString(i) << QString(o); };
        row("folder of a name at the root", "folder", "/b.jpg", "");
        row("colon and backslash are name characters", "name", "/p/12:30 a\\b.jpg", "12:30 a\\b.jpg");
        row("name after a trailing slash", "name", "/p/q/", "");
        row("quotes wrapped", "unquote", "\"/a b/c.jpg\"", "/a b/c.jpg");
        row("inner quote kept", "unquote", "/a\"b.jpg", "/a\"b.jpg");
        row("one pair only", "unquote", "\"\"x\"\"", "\"x\"");
        row("HTTP caps", "url", "HTTP://example.org", "1");
        row("www", "url", "WWW.example.org", "1");
        row("mail", "url", "mailto:someone@example.org", "0");
        row("www in a path", "url", "/home/www.jpg", "0");
        row("JPG", "picture", "/a/b.JPG", "1");
        row("Gif", "picture", "/a/b.Gif", "1");
        row("jpeg is not taken", "picture", "/a/b.jpeg", "0");
        row("dot in folder only", "picture", "/a.jpg/b", "0");
        row("relative", "absolute", "a/../b.jpg", "/x/b.jpg");
        row("untidy absolute", "absolute", "/y//z/./c.jpg/", "/y/z/c.jpg");
    }
    void text_rules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, in);
        if (rule == QLatin1String("unquote"))
            strip_quotes(in);
        else if (rule == QLatin1String("folder"))
            in = folder_of(in);
        else if (rule == QLatin1String("name"))
            in = file_name_of(in);
        else if (rule == QLatin1String("url"))
            in = QString::number(is_url(in));
        else if (rule == QLatin1String("picture"))
            in = QString::number(is_picture_file(in));
        else
            in = absolute_path(in, QStringLiteral("/x"));
        QTEST(in, "out");
    }

};

QTEST_GUILESS_MAIN(tst_paths)
#include "tst_paths.moc"
