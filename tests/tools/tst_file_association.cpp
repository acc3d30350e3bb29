// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "tools/file_association.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace lf;

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString question_for(const QString &ext)
{
    return QStringLiteral("This program is not the default program to open '") + ext
         + QStringLiteral("' files. Do you want to associate it with '") + ext
         + QStringLiteral("' files?");
}

} // namespace

class tst_file_association : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // These cases rewrite mimeapps.list and desktop entries.
    void initTestCase() { test::require_private_folders(); }
    void init()
    {
        test::reset_everything();
        qunsetenv("XDG_CURRENT_DESKTOP");
        // Each case starts without our entry and without defaults.
        QFile::remove(user_mimeapps_list());
        QFile::remove(user_applications_folder() + QLatin1Char('/') + desktop_entry_id);
    }

    void folders_are_the_private_ones()
    {
        QCOMPARE(user_mimeapps_list(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/mimeapps.list");
        QCOMPARE(user_applications_folder(), qEnvironmentVariable("XDG_DATA_HOME") + "/applications");
        QVERIFY(!qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    }

    void mime_types()
    {
        QCOMPARE(mime_type_for_extension(QStringLiteral("jpg")), QStringLiteral("image/jpeg"));
        QCOMPARE(mime_type_for_extension(QStringLiteral(".gif")), QStringLiteral("image/gif"));
        QCOMPARE(mime_type_for_extension(QStringLiteral("bmp")), QStringLiteral("image/bmp"));
    }

    void mimeapps_edits_keep_other_lines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("missing or empty")
            << QByteArray()
            << QByteArray("[Default Applications]\nimage/jpeg=lumenfolio.desktop\n\n"
                          "[Added Associations]\nimage/jpeg=lumenfolio.desktop;\n");
        QTest::newRow("no default group, no final newline")
            << QByteArray("[Added Associations]\r\ntext/plain=vim.desktop;\r\n# note")
            << QByteArray("[Added Associations]\r\ntext/plain=vim.desktop;\r\n# note\n"
                          "image/jpeg=lumenfolio.desktop;\n\n"
                          "[Default Applications]\nimage/jpeg=lumenfolio.desktop\n");
        QTest::newRow("other applications kept, ours first, removal lifted")
            << QByteArray("# mine\n[Default Applications]\ntext/html=firefox.desktop\n"
                          "image/jpeg = eog.desktop;gimp.desktop;\n\n"
                          "[Added Associations]\nimage/jpeg=eog.desktop;lumenfolio.desktop;\n\n"
                          "[Removed Associations]\nimage/jpeg=lumenfolio.desktop;\n"
                          "image/png=x.desktop;\n")
            << QByteArray("# mine\n[Default Applications]\ntext/html=firefox.desktop\n"
                          "image/jpeg=lumenfolio.desktop\n\n"
                          "[Added Associations]\nimage/jpeg=lumenfolio.desktop;eog.desktop;\n\n"
                          "[Removed Associations]\nimage/png=x.desktop;\n");
        QTest::newRow("already ours: unchanged")
            << QByteArray("[Default Applications]\nimage/jpeg=lumenfolio.desktop\n"
                          "[Added Associations]\nimage/jpeg=lumenfolio.desktop;\n")
            << QByteArray("[Default Applications]\nimage/jpeg=lumenfolio.desktop\n"
                          "[Added Associations]\nimage/jpeg=lumenfolio.desktop;\n");
    }
    void mimeapps_edits_keep_other_lines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(mimeapps_with_default(before, QStringLiteral("image/jpeg"),
                                       QStringLiteral("lumenfolio.desktop")),
                 after);
    }

    void desktop_entry_names_this_program()
    {
        const QString text = desktop_entry_text(QStringLiteral("/opt/lf/bin/lumenfolio"));
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        const QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Name=Lumenfolio")));
        QVERIFY(lines.contains(QStringLiteral("Exec=/opt/lf/bin/lumenfolio %f")));
        QVERIFY(lines.contains(QStringLiteral("Icon=lumenfolio")));
        QVERIFY(lines.contains(QStringLiteral("Type=Application")));
        QVERIFY(lines.contains(QStringLiteral("MimeType=image/jpeg;image/gif;image/bmp;")));
        QVERIFY(lines.contains(QStringLiteral("Categories=Graphics;Viewer;")));
    }

    void awkward_program_paths_survive_the_exec_line_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank") << "my viewer";
        QTest::newRow("quote, dollar, percent") << "a\"b$c%d";
        QTest::newRow("backslash") << "back\\slash";
    }
    void awkward_program_paths_survive_the_exec_line()
    {
        QFETCH(QString, name);
        const QString dir = test::fresh_folder(QStringLiteral("prog"));
        const QString program = dir + QLatin1Char('/') + name;
        test::write_file(program, "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString entry = dir + QStringLiteral("/e.desktop");
        test::write_file(entry, desktop_entry_text(program).toUtf8());
        QCOMPARE(desktop_entry_program(entry), QFileInfo(program).canonicalFilePath());
    }

    void probe_takes_the_first_free_name_and_goes_away()
    {
        const QString tmp = QDir::tempPath();
        test::write_file(tmp + QStringLiteral("/tmp0.jpg"), "keep0");
        test::write_file(tmp + QStringLiteral("/tmp1.jpg"), "keep1");
        QCOMPARE(make_probe_name(QStringLiteral("jpg"), tmp), QStringLiteral("tmp2.jpg"));
        QCOMPARE(make_probe_name(QStringLiteral(".jpg"), tmp + QLatin1Char('/')),
                 QStringLiteral("tmp2.jpg"));
        QCOMPARE(make_probe_name(QStringLiteral("gif"), tmp), QStringLiteral("tmp0.gif"));
        find_program_for_extension(QStringLiteral("jpg"));
        QVERIFY(!QFileInfo::exists(tmp + QStringLiteral("/tmp2.jpg")));
        QCOMPARE(read(tmp + QStringLiteral("/tmp0.jpg")), QByteArray("keep0"));
        QCOMPARE(read(tmp + QStringLiteral("/tmp1.jpg")), QByteArray("keep1"));
        QFile::remove(tmp + QStringLiteral("/tmp0.jpg"));
        QFile::remove(tmp + QStringLiteral("/tmp1.jpg"));
    }

    void defaults_are_read_as_xdg_mime_reads_them()
    {
        QCOMPARE(default_desktop_entry(QStringLiteral("image/x-lumenfolio-none")), QString());
        // An entry whose desktop file is missing does not count.
        test::write_file(user_mimeapps_list(),
                         "[Default Applications]\nimage/x-lf-test=gone.desktop;\n");
        QCOMPARE(default_desktop_entry(QStringLiteral("image/x-lf-test")), QString());
        write_association(QStringLiteral(".jpg"), QStringLiteral("jpg file"), own_program_path());
        QCOMPARE(default_desktop_entry(QStringLiteral("image/jpeg")), desktop_entry_id);
        QCOMPARE(find_program_for_extension(QStringLiteral("jpg")), own_program_path());
        QCOMPARE(registered_program(QStringLiteral("JPG")), own_program_path());
        QVERIFY(find_program_for_extension(QStringLiteral("gif")) != own_program_path());
        // The line we did not write is still there.
        QVERIFY(read(user_mimeapps_list()).contains("image/x-lf-test=gone.desktop;\n"));
    }

    void all_three_ours_asks_nothing_and_disables_the_menu()
    {
        for (const char *ext : {".jpg", ".gif", ".bmp"})
            write_association(QString::fromLatin1(ext), QString(), own_program_path());
        test::FakeWindows w;
        test::ScriptedPrompt p;
        associate_file_types();
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(get_setting(key::file_extensions_checked), QStringLiteral("-1"));
        QCOMPARE(w.calls, QStringList{QStringLiteral("associate_menu_enabled false")});
    }

    void no_for_gif_only_leaves_gif_alone()
    {
        test::write_file(user_mimeapps_list(), "[Default Applications]\nimage/gif=other.desktop\n");
        const QByteArray before = read(user_mimeapps_list());
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes, Answer::No, Answer::Yes};
        associate_file_types();
        QCOMPARE(p.message_texts(),
                 (QStringList{question_for("jpg"), question_for("gif"), question_for("bmp")}));
        for (const MessageRequest &m : p.messages) {
            QCOMPARE(m.buttons, Buttons::YesNo);
            QCOMPARE(m.icon, Icon::Question);
            QCOMPARE(m.title, QStringLiteral("Lumenfolio"));
        }
        const QByteArray list = read(user_mimeapps_list());
        QCOMPARE(mimeapps_values(list, "Default Applications", "image/jpeg"), QStringList{desktop_entry_id});
        QCOMPARE(mimeapps_values(list, "Default Applications", "image/bmp"), QStringList{desktop_entry_id});
        QCOMPARE(mimeapps_values(list, "Default Applications", "image/gif"), QStringList{"other.desktop"});
        QVERIFY(list.startsWith(before.left(before.size() - 1)));
        QCOMPARE(w.calls, QStringList{QStringLiteral("associate_menu_enabled true")});
        QVERIFY(associate_menu_should_be_enabled());

        // Asked again, only gif is still offered.
        test::ScriptedPrompt again;
        again.answers = {Answer::Yes};
        associate_file_types();
        QCOMPARE(again.message_texts(), QStringList{question_for("gif")});
        QVERIFY(!associate_menu_should_be_enabled());
        QCOMPARE(w.calls.back(), QStringLiteral("associate_menu_enabled false"));
    }

    // What the desktop itself answers afterwards. A desktop's own list
    // (gnome-mimeapps.list) is read before mimeapps.list, so one naming
    // another program has to change too; its other lines stay.
    void xdg_mime_agrees_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QByteArray>("own_list"); // of the first desktop; "" for none
        QTest::newRow("no desktop") << "" << QByteArray();
        QTest::newRow("GNOME, no list of its own") << "GNOME" << QByteArray();
        QTest::newRow("GNOME naming another program")
            << "GNOME" << QByteArray("[Default Applications]\nimage/jpeg=other.desktop\n"
                                     "text/plain=other.desktop\n");
        QTest::newRow("ubuntu:GNOME refusing ours")
            << "ubuntu:GNOME"
            << ("[Removed Associations]\nimage/jpeg=" + desktop_entry_id.toUtf8() + ";\n");
    }
    void xdg_mime_agrees()
    {
        QFETCH(QString, desktop);
        QFETCH(QByteArray, own_list);
        const QString xdg_mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        QVERIFY2(!xdg_mime.isEmpty(), "xdg-mime is installed by scripts/install-deps --tests");
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        for (const QString &f : QDir(config).entryList({QStringLiteral("*-mimeapps.list")}))
            QFile::remove(config + QLatin1Char('/') + f);
        test::write_file(user_applications_folder() + QStringLiteral("/other.desktop"),
                         "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n");
        test::write_file(user_mimeapps_list(), "[Default Applications]\nimage/jpeg=other.desktop\n");
        const QString own = user_desktop_mimeapps_lists().value(0);
        if (!own_list.isEmpty())
            test::write_file(own, own_list);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *v : {"DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                              "MATE_DESKTOP_SESSION_ID"})
            env.remove(QString::fromLatin1(v));
        auto query = [&] {
            QProcess q;
            q.setProcessEnvironment(env); // still the private XDG folders
            q.start(xdg_mime, {QStringLiteral("query"), QStringLiteral("default"),
                               QStringLiteral("image/jpeg")});
            return q.waitForFinished(60000) ? QString::fromUtf8(q.readAllStandardOutput()).trimmed()
                                            : QStringLiteral("(timed out)");
        };
        QCOMPARE(query(), QStringLiteral("other.desktop"));
        QCOMPARE(write_association(QStringLiteral(".jpg"), QStringLiteral("jpg file"), own_program_path()),
                 QString());
        QCOMPARE(query(), desktop_entry_id);
        QCOMPARE(find_program_for_extension(QStringLiteral("jpg")), own_program_path());
        if (own_list.contains("text/plain"))
            QVERIFY(read(own).contains("text/plain=other.desktop\n"));
        if (own_list.isEmpty())
            QVERIFY(!QFileInfo::exists(own)); // no list is made that was not there
    }
};

QTEST_GUILESS_MAIN(tst_file_association)
#include "tst_file_association.moc"
