// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/information_texts.h"
#include "panel/version_history.h"
#include "test_env.h"

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

    void window_texts()
    {
        const QString text = version_history_window_text();
        QVERIFY(text.startsWith("   LUMENFOLIO VERSION HISTORY \r\n\r\nCurrent version is " + current_version()
                                + "\r\n\r\nIt includes the following changes (F = bug fixed, I = improvement, N = new "
                                  "function)\r\n"
                                + QString(84, '-') + "\r\n23^"));
        // The entries of 2007 stay as they were, below this edition's.
        QVERIFY(text.contains("\r\n17^070512.1) F: Correction of picture frame size in same coses of normal view "
                              "with borders.\r\n16^070418.1) I: Temporary files will be created in Windows' "
                              "temporary folder.\r\n"));
        QVERIFY(text.endsWith("\r\n------------------------- VERSION 2.2.0 -----------------------------\r\n"
                              "[end of version history]"));
        QVERIFY(version_history_text(0).endsWith(text.right(200)));
        QCOMPARE(version_history_window_title(), "Lumenfolio - Version history");
        const QString about = about_text("/usr/share/lumenfolio/lumenfolio-source.tar.xz");
        QVERIFY(about.startsWith("Lumenfolio version " + current_version() + "\r\n\r\n"));
        QVERIFY(about.contains("GNU General Public License") && !about.contains("All rights reserved"));
        QVERIFY(about.contains(":\r\n/usr/share/lumenfolio/lumenfolio-source.tar.xz\r\n"));
        QCOMPARE(about_title(), "About Lumenfolio");
        QVERIFY(help_text({}).startsWith("Sorry, help is under construction. Use the mouse right button to see the "
                                         "options available in each window.\r\n"));
        QVERIFY(!help_text({}).contains("browser"));
        QVERIFY(help_text("/m.html").endsWith("Press OK to open it in your browser."));
    }

    void version_from_the_newest_entry_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("version");
        QTest::newRow("two entries") << QStringList{"18^080101.1) N: New.", "17^070512.1) F: x."}
                                     << "4.0.18 (01/Jan/2008)";
        QTest::newRow("one entry") << QStringList{"03^101231.2) F: x."} << "4.0.03 (31/Dec/2010)";
    }
    void version_from_the_newest_entry()
    {
        QFETCH(QStringList, lines);
        QTEST(version_history_text(1, lines), "version");
        QTEST(version_history_text(-7, lines), "version");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(version_history_text(1, {"17^070512.1) F: x."}), "4.0.17 (12/Mai/2007)");
    }

    // Beside an installed program (<prefix>/bin, <prefix>/share) or in the build folder.
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
        QCOMPARE(program_data_file(root.filePath(program_dir), "manual.html"),
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
        QCOMPARE(reply.value_or(QString()).left(starts.size()), starts);
    }
};

QTEST_GUILESS_MAIN(tst_version_history)
#include "tst_version_history.moc"
