// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/information_texts.h"
#include "panel/version_history.h"
#include "test_env.h"

#include <QDate>
#include <QRegularExpression>
#include <QtTest>

using namespace lf;

class tst_version_history : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void the_list_has_its_shape()
    {
        const QStringList &lines = version_history();
        const QRegularExpression entry(QStringLiteral("^(\\d\\d)\\^(\\d\\d)(\\d\\d)(\\d\\d)\\.\\d+\\) [FIN]: \\S.*$"));
        // The entries of 2007 and before stay as they were, below this edition's.
        const QStringList kept{
            QStringLiteral("17^070512.1) F: Correction of picture frame size in same coses of normal view with borders."),
            QStringLiteral("16^070418.1) I: Temporary files will be created in Windows' temporary folder."),
            QStringLiteral("15^050819.4) F: Auto size of non-fullscreen window takes into account variable size of start bar.")};
        const qsizetype at = lines.indexOf(kept.front());
        QVERIFY(at > 0);
        QCOMPARE(lines.mid(at, 3), kept);
        QCOMPARE(lines.back(), QStringLiteral("[end of version history]"));

        const QStringList separators{
            QStringLiteral("------------------------- VERSION 4.0.0 -----------------------------"),
            QStringLiteral("------------------------- VERSION 3.0.0 -----------------------------"),
            QStringLiteral("------------------------- VERSION 2.2.0 -----------------------------")};
        int entries = 0;
        QStringList seen_separators;
        QDate previous(2100, 1, 1);
        int previous_number = 0; // numbers count down reading newest first
        for (int i = 0; i < lines.size() - 1; ++i) {
            const QString &line = lines[i];
            if (line.startsWith(QLatin1Char('-'))) {
                QCOMPARE(line.left(26), QString(25, QLatin1Char('-')) + QLatin1Char(' '));
                QCOMPARE(line.right(30), QLatin1Char(' ') + QString(29, QLatin1Char('-')));
                seen_separators << line;
                QCOMPARE(previous_number, 1); // each version starts at 01
                previous_number = 0;
                continue;
            }
            const auto m = entry.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            QCOMPARE(line.count(QLatin1Char('^')), 1);
            const QDate d(2000 + m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
            QVERIFY2(d.isValid() && d <= previous, qPrintable(line));
            previous = d;
            const int number = m.captured(1).toInt();
            if (previous_number != 0)
                QCOMPARE(number, previous_number - 1);
            previous_number = number;
            ++entries;
        }
        QCOMPARE(entries, 60);
        QCOMPARE(seen_separators, separators);
        QVERIFY(lines[lines.size() - 2] == separators.back());
    }

    void mode_zero_is_the_list_each_after_crlf()
    {
        const QString text = version_history_text(0);
        QCOMPARE(text, QStringLiteral("\r\n") + version_history().join(QStringLiteral("\r\n")));
    }

    void current_version_from_the_newest_entry_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("version");
        const QStringList of_2007 = version_history().mid(version_history().indexOf(
            QStringLiteral("17^070512.1) F: Correction of picture frame size in same coses of normal view with borders.")));
        QTest::newRow("history of 2007") << of_2007 << "4.0.17 (12/May/2007)";
        QTest::newRow("a newer entry 18")
            << (QStringList{QStringLiteral("18^080101.1) N: Something new.")} + of_2007)
            << "4.0.18 (01/Jan/2008)";
        QTest::newRow("one entry") << QStringList{QStringLiteral("03^101231.2) F: x.")}
                                   << "4.0.03 (31/Dec/2010)";
    }
    void current_version_from_the_newest_entry()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, version);
        QCOMPARE(version_history_text(1, lines), version);
        QCOMPARE(version_history_text(-7, lines), version);
    }

    void the_month_follows_the_language()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(version_history_text(1, {QStringLiteral("17^070512.1) F: x.")}),
                 QStringLiteral("4.0.17 (12/Mai/2007)"));
    }

    void version_history_window_text_and_title()
    {
        const QString crlf = QStringLiteral("\r\n");
        QCOMPARE(version_history_window_text(),
                 QStringLiteral("   LUMENFOLIO VERSION HISTORY ") + crlf + crlf
                     + QStringLiteral("Current version is ") + current_version() + crlf + crlf
                     + QStringLiteral("It includes the following changes (F = bug fixed, I = "
                                      "improvement, N = new function)")
                     + crlf + QString(84, QLatin1Char('-')) + crlf
                     + version_history().join(crlf));
        QCOMPARE(version_history_window_title(), QStringLiteral("Lumenfolio - Version history"));
    }

    void about_and_help_texts()
    {
        const QString crlf = QStringLiteral("\r\n");
        const QString about = about_text(QStringLiteral("/usr/share/lumenfolio/lumenfolio-source.tar.xz"));
        QVERIFY(about.startsWith(QStringLiteral("Lumenfolio version ") + current_version() + crlf + crlf));
        QVERIFY(about.contains(QStringLiteral("GNU General Public License")));
        QVERIFY(!about.contains(QStringLiteral("All rights reserved")));
        QVERIFY(about.contains(QStringLiteral(":\r\n/usr/share/lumenfolio/lumenfolio-source.tar.xz\r\n")));
        QVERIFY(about_text({}).contains(QStringLiteral("share/lumenfolio/lumenfolio-source.tar.xz")));
        QCOMPARE(about_title(), QStringLiteral("About Lumenfolio"));
        for (const QString &manual : {QString(), QStringLiteral("/m.html")}) {
            QVERIFY(help_text(manual).startsWith(
                QStringLiteral("Sorry, help is under construction. Use the mouse right button to see "
                               "the options available in each window.\r\n")));
            QCOMPARE(help_text(manual).endsWith(QStringLiteral("Press OK to open it in your browser.")),
                     !manual.isEmpty());
        }
    }

    // The manual and the source archive are found beside an installed
    // program (<prefix>/bin, <prefix>/share) and in the build folder.
    void data_files_beside_the_program_data()
    {
        QTest::addColumn<QString>("program_dir");
        QTest::addColumn<QString>("data_file");
        QTest::addColumn<bool>("found");
        QTest::newRow("installed") << "usr/bin" << "usr/share/lumenfolio/manual.html" << true;
        QTest::newRow("build folder") << "build" << "build/share/lumenfolio/manual.html" << true;
        QTest::newRow("neither") << "build" << "share/manual.html" << false;
    }
    void data_files_beside_the_program()
    {
        QFETCH(QString, program_dir);
        QFETCH(QString, data_file);
        QFETCH(bool, found);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(program_dir));
        test::write_file(root.filePath(data_file), "x");
        QCOMPARE(program_data_file(root.filePath(program_dir), QStringLiteral("manual.html")),
                 found ? root.filePath(data_file) : QString());
    }

    void command_line_replies_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("starts");
        QTest::newRow("version") << QStringList{"--version"} << "Lumenfolio " + current_version() + "\n";
        QTest::newRow("help") << QStringList{"--help"} << "Usage: lumenfolio [FILE]\n";
        QTest::newRow("a file") << QStringList{"/p/a.jpg"} << "";
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("a file named with words") << QStringList{"my", "--help"} << "";
    }
    void command_line_replies()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, starts);
        const auto reply = command_line_reply(args);
        QCOMPARE(reply.has_value(), !starts.isEmpty());
        if (reply)
            QVERIFY(reply->startsWith(starts));
    }
};

QTEST_GUILESS_MAIN(tst_version_history)
#include "tst_version_history.moc"
