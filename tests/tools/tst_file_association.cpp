// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "fault_injection.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "tools/file_association.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace lf;

namespace {

QByteArray ours() { return desktop_entry_id.toUtf8(); }

QString question_for(const QString &ext)
{
    return "This program is not the default program to open '" + ext
         + "' files. Do you want to associate it with '" + ext + "' files?";
}

} // namespace

class tst_file_association : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        test::require_private_folders();
        for (const char *v : {"DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                              "MATE_DESKTOP_SESSION_ID"})
            qunsetenv(v); // xdg-mime would go by these rather than the lists
    }
    void init()
    {
        test::reset_everything();
        qunsetenv("XDG_CURRENT_DESKTOP");
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/');
        for (const QString &f : QDir(config).entryList({QStringLiteral("*mimeapps.list")}))
            QFile::remove(config + f);
    }

    void no_for_gif_only_leaves_gif_alone()
    {
        test::write_file(user_mimeapps_list(), "[Default Applications]\nimage/gif=other.desktop\n");
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes, Answer::No, Answer::Yes};
        associate_file_types();
        QCOMPARE(p.message_texts(), (QStringList{question_for("jpg"), question_for("gif"), question_for("bmp")}));
        for (const MessageRequest &m : p.messages)
            QVERIFY(m.buttons == Buttons::YesNo && m.icon == Icon::Question && m.title == "Lumenfolio");
        QCOMPARE(test::read_bytes(user_mimeapps_list()), "[Default Applications]\nimage/gif=other.desktop\nimage/jpeg=" + ours()
                                                 + "\nimage/bmp=" + ours() + "\n\n[Added Associations]\nimage/jpeg="
                                                 + ours() + ";\nimage/bmp=" + ours() + ";\n");
        QCOMPARE(w.calls, QStringList{"associate_menu_enabled true"});

        // Asked again, only gif is still offered; then nothing is.
        p.messages.clear();
        p.answers = {Answer::Yes};
        associate_file_types();
        associate_file_types();
        QCOMPARE(p.message_texts(), QStringList{question_for("gif")});
        QCOMPARE(get_setting(key::file_extensions_checked), QStringLiteral("-1"));
        QCOMPARE(w.calls.back(), QStringLiteral("associate_menu_enabled false"));
    }

    void the_desktop_entry_quotes_an_awkward_path()
    {
        QCOMPARE(write_association(".gif", "gif file", "/opt/a b\"$%\\c"), QString());
        QCOMPARE(find_desktop_entry("../applications/" + desktop_entry_id), QString()); // an id is a name, not a path
        QCOMPARE(test::read_bytes(user_applications_folder() + QLatin1Char('/') + desktop_entry_id),
                 "[Desktop Entry]\nType=Application\nName=Lumenfolio\nGenericName=Picture Viewer\n"
                 "Comment=Show pictures, slide shows and thumbnail sheets\n"
                 "Exec=\"/opt/a b\\\\\"\\\\$%%\\\\\\\\c\" %f\nIcon=lumenfolio\nTerminal=false\n"
                 "MimeType=image/jpeg;image/gif;image/bmp;\nCategories=Graphics;Viewer;\n");
        QCOMPARE(test::read_bytes(user_mimeapps_list()),
                 "[Default Applications]\nimage/gif=" + ours() + "\n\n[Added Associations]\nimage/gif=" + ours() + ";\n");
    }

    // What the desktop itself answers afterwards. A desktop's own list
    // (gnome-mimeapps.list) is read before mimeapps.list, so one naming
    // another program or refusing ours changes too, every other byte kept.
    void xdg_mime_agrees_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QByteArray>("own_list"); // of the first desktop; "" for none
        QTest::addColumn<QByteArray>("own_after");
        const QByteArray ours = ::ours();
        QTest::newRow("no desktop") << "" << QByteArray() << QByteArray();
        QTest::newRow("GNOME naming others, ours first, removal lifted")
            << "GNOME"
            << QByteArray("# mine\n[Default Applications]\ntext/html=firefox.desktop\n"
                          "image/jpeg = other.desktop;gimp.desktop;\n\n"
                          "[Added Associations]\nimage/jpeg=other.desktop;" + ours + ";\n\n"
                          "[Removed Associations]\nimage/jpeg=" + ours + ";\nimage/png=x.desktop;\n")
            << QByteArray("# mine\n[Default Applications]\ntext/html=firefox.desktop\nimage/jpeg=" + ours + "\n\n"
                          "[Added Associations]\nimage/jpeg=" + ours + ";other.desktop;\n\n"
                          "[Removed Associations]\nimage/png=x.desktop;\n");
        QTest::newRow("ubuntu:GNOME refusing ours, CRLF, no final newline")
            << "ubuntu:GNOME" << "[Added Associations]\r\ntext/plain=vim.desktop;\r\n[Removed Associations]\r\nimage/jpeg=" + ours
                   + ";\r\n# note"
            << "[Added Associations]\r\ntext/plain=vim.desktop;\r\nimage/jpeg=" + ours
                   + ";\n[Removed Associations]\r\n# note\n\n[Default Applications]\nimage/jpeg=" + ours + "\n";
    }
    void xdg_mime_agrees()
    {
        QFETCH(QString, desktop);
        QFETCH(QByteArray, own_list);
        QFETCH(QByteArray, own_after);
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        test::write_file(user_applications_folder() + QStringLiteral("/other.desktop"),
                         "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n");
        test::write_file(user_mimeapps_list(), "[Default Applications]\nimage/jpeg=other.desktop\n");
        const QString own = user_desktop_mimeapps_lists().value(0);
        if (!own_list.isEmpty())
            test::write_file(own, own_list);
        auto query = [&] {
            QProcess q; // xdg-mime (scripts/install-deps --tests), in the private XDG folders
            q.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("image/jpeg")});
            return q.waitForFinished(60000) ? q.readAllStandardOutput().trimmed() : QByteArray("(timed out)");
        };
        QCOMPARE(write_association(".jpg", "jpg file", own_program_path()), QString());
        QCOMPARE(query(), ours());
        QCOMPARE(find_program_for_extension("jpg"), QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
        QCOMPARE(test::read_bytes(own), own_after); // no list is made that was not there
        QCOMPARE(test::read_bytes(user_mimeapps_list()),
                 "[Default Applications]\nimage/jpeg=" + ours() + "\n\n[Added Associations]\nimage/jpeg=" + ours() + ";\n");
    }
};

QTEST_GUILESS_MAIN(tst_file_association)
#include "tst_file_association.moc"
