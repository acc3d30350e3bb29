// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "scripted_prompt.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::RenameCheck)

namespace {
QByteArray read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_file_commands : public QObject {
    Q_OBJECT
    QString dir;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("pics"));
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        test::write_file(dir + QStringLiteral("/a.jpg"), "picture a");
        test::write_file(dir + QStringLiteral("/taken.jpg"), "picture t");
    }

    void delete_keeps_a_copy_first()
    {
        test::ScriptedPrompt p;
        const QString a = dir + QStringLiteral("/a.jpg");
        QVERIFY(delete_with_backup(a));
        QVERIFY(!QFileInfo::exists(a));
        QCOMPARE(read_all(versions_folder(app().tmp_pic_dir, a) + QStringLiteral("/deleted/a.jpg")),
                 QByteArray("picture a"));
        QCOMPARE(app().deleted_pictures, QLatin1Char('|') + a);
        QVERIFY(p.messages.isEmpty());
    }

    void rename_rules_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<lf::RenameCheck>("check");
        QTest::newRow("same extension other case") << "b.JPG" << RenameCheck::Ok;
        QTest::newRow("other extension") << "b.gif" << RenameCheck::ExtensionChanged;
        QTest::newRow("no extension") << "b" << RenameCheck::ExtensionChanged;
        QTest::newRow("blank") << "   " << RenameCheck::Cancelled;
        QTest::newRow("empty") << "" << RenameCheck::Cancelled;
        QTest::newRow("slash moves files") << "../b.jpg" << RenameCheck::Invalid;
        QTest::newRow("existing file") << "taken.jpg" << RenameCheck::Invalid;
        QTest::newRow("case of the same file") << "A.jpg" << RenameCheck::Ok;
        QTest::newRow("spaces and quotes") << "my \"best\" b.jpg" << RenameCheck::Ok;
    }
    void rename_rules()
    {
        QFETCH(QString, answer);
        QFETCH(lf::RenameCheck, check);
        QCOMPARE(check_new_name(dir + QStringLiteral("/a.jpg"), answer), check);
    }

    void rename_asks_again_until_acceptable()
    {
        test::ScriptedPrompt p;
        p.texts = {QStringLiteral("b.gif"), QStringLiteral("taken.jpg"), QStringLiteral("b.JPG")};
        save_setting(key::last_picture_file, dir + QStringLiteral("/a.jpg"));
        const QString renamed = ask_and_rename(dir + QStringLiteral("/a.jpg"), QStringLiteral("Renaming last file"));
        QCOMPARE(renamed, dir + QStringLiteral("/b.JPG"));
        // The last picture moves with it.
        QCOMPARE(app().last_picture_file, renamed);
        QCOMPARE(get_setting(key::last_picture_file), renamed);
        QCOMPARE(read_all(renamed), QByteArray("picture a"));
        QCOMPARE(p.message_texts(), (QStringList{QStringLiteral("File extension cannot be modified"),
                                                 QStringLiteral("Invalid file name")}));
        QCOMPARE(p.inputs.size(), 3);
        QCOMPARE(p.inputs[0].title, QStringLiteral("Renaming last file"));
        QCOMPARE(p.inputs[0].prompt, QStringLiteral("New file name?"));
        QCOMPARE(p.inputs[0].proposed, QStringLiteral("a.jpg"));
        QCOMPARE(read_all(dir + QStringLiteral("/taken.jpg")), QByteArray("picture t"));
    }

    void cancelled_rename_changes_nothing()
    {
        test::ScriptedPrompt p;
        QCOMPARE(ask_and_rename(dir + QStringLiteral("/a.jpg"), QStringLiteral("x")), QString());
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/a.jpg")));
    }

    void answers_read_by_the_window_rules_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("trim");
        QTest::addColumn<bool>("add_extension");
        QTest::addColumn<QString>("renamed"); // "" = not renamed
        QTest::newRow("blanks kept: extension differs") << " b.jpg " << false << false << "";
        QTest::newRow("blanks trimmed") << " b.jpg " << true << false << "b.jpg";
        QTest::newRow("bare name refused") << "b" << false << false << "";
        QTest::newRow("bare name keeps extension") << "b" << false << true << "b.jpg";
        QTest::newRow("bare name onto a taken one") << "taken" << false << true << "";
        QTest::newRow("dotted name not extended") << "b.v2" << false << true << "";
        QTest::newRow("same name") << "a.jpg" << true << true << "";
        QTest::newRow("300 characters") << QString(296, QLatin1Char('n')) + ".jpg" << false << false << "";
    }
    void answers_read_by_the_window_rules()
    {
        QFETCH(QString, answer);
        QFETCH(bool, trim);
        QFETCH(bool, add_extension);
        QFETCH(QString, renamed);
        test::ScriptedPrompt p;
        p.texts = {answer}; // then an empty answer ends any second question
        RenameRules rules;
        rules.trim_answer = trim;
        rules.add_missing_extension = add_extension;
        const QString result = ask_and_rename(dir + QStringLiteral("/a.jpg"), QStringLiteral("t"), rules);
        QCOMPARE(result, renamed.isEmpty() ? QString() : dir + QLatin1Char('/') + renamed);
        QCOMPARE(QFileInfo::exists(dir + QStringLiteral("/a.jpg")), renamed.isEmpty());
        QCOMPARE(read_all(dir + QStringLiteral("/taken.jpg")), QByteArray("picture t"));
    }

    void editor_messages()
    {
        test::ScriptedPrompt p;
        edit_with_picture_editor(QString(), dir + QStringLiteral("/a.jpg"));
        edit_with_picture_editor(dir + QStringLiteral("/no-editor"), dir + QStringLiteral("/a.jpg"));
        edit_with_picture_editor(dir, dir + QStringLiteral("/a.jpg"));
        QCOMPARE(p.messages.size(), 3);
        QCOMPARE(p.messages[0].text, QStringLiteral("Picture editor path not assigned. Go to Image Viewer main panel and assign it."));
        QCOMPARE(p.messages[1].text, QStringLiteral("Path of picture editor is wrong. Go to main menu and reassign it."));
        QVERIFY(p.messages[2].text.contains(QStringLiteral("not a program")));
    }

    void editor_gets_the_picture_as_one_argument()
    {
        test::ScriptedPrompt p;
        const QString out = dir + QStringLiteral("/args.txt");
        const QString editor = dir + QStringLiteral("/editor.sh");
        test::write_file(editor, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$1\")/args.txt\"\n");
        QFile::setPermissions(editor, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::WriteOwner);
        const QString picture = dir + QStringLiteral("/it's a \"pic\" $(x).jpg");
        test::write_file(picture);
        edit_with_picture_editor(editor, picture);
        QTRY_VERIFY(QFileInfo(out).size() > 0);
        QCOMPARE(QString::fromUtf8(read_all(out)), QStringLiteral("1\n") + picture + QLatin1Char('\n'));
        QVERIFY(p.messages.isEmpty());
    }

    void window_editor_messages_data()
    {
        QTest::addColumn<QString>("editor"); // "@" stands for the test folder
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank, no own message") << "  " << "@/a.jpg" << int(EditorStart::Wrong) << "wrong";
        QTest::newRow("missing editor") << "@/none" << "@/a.jpg" << int(EditorStart::Wrong) << "wrong";
        QTest::newRow("a folder") << "@" << "@/a.jpg" << int(EditorStart::Wrong) << "wrong";
        QTest::newRow("missing picture") << "/bin/true" << "@/none.jpg" << int(EditorStart::NoPicture)
                                         << "no picture";
        QTest::newRow("cannot run") << "@/broken" << "@/a.jpg" << int(EditorStart::Failed)
                                    << "The picture editor @/broken could not be started.";
        QTest::newRow("runs") << "/bin/true" << "@/a.jpg" << int(EditorStart::Started) << "";
    }
    void window_editor_messages()
    {
        QFETCH(QString, editor);
        QFETCH(QString, picture);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        // Executable, but no program the system can start.
        test::write_file(dir + QStringLiteral("/broken"), "\x7f\x01not a program");
        QFile::setPermissions(dir + QStringLiteral("/broken"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::WriteOwner);
        editor.replace(QLatin1Char('@'), dir);
        picture.replace(QLatin1Char('@'), dir);
        message.replace(QLatin1Char('@'), dir);
        EditorMessages m;
        m.wrong = QStringLiteral("wrong");
        m.no_picture = QStringLiteral("no picture");
        QCOMPARE(int(start_picture_editor(editor, picture, m)), outcome);
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    }

    void copy_as_remembers_the_target()
    {
        test::ScriptedPrompt p;
        const QString target = dir + QStringLiteral("/copy of a.jpg");
        p.texts = {target};
        copy_file_as(dir + QStringLiteral("/a.jpg"), dir);
        QCOMPARE(read_all(target), QByteArray("picture a"));
        QCOMPARE(get_setting(key::last_saved_as_file), target);
        QCOMPARE(p.files[0].kind, FileRequest::Save);
        QCOMPARE(p.files[0].start, dir + QStringLiteral("/a.jpg"));

        // The next copy starts where the last one went.
        const QString other = test::fresh_folder(QStringLiteral("other"));
        p.texts = {QString()};
        copy_file_as(other + QStringLiteral("/x.jpg"), other);
        QCOMPARE(p.files[1].start, dir + QStringLiteral("/x.jpg"));
    }

    void agenda_is_made_in_the_data_folder()
    {
        const QString a = agenda_file();
        QVERIFY(a.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QVERIFY(a.endsWith(QStringLiteral("/agenda.txt")));
        QVERIFY(QFileInfo::exists(a));
        test::write_file(a, "notes");
        QCOMPARE(read_all(agenda_file()), QByteArray("notes"));
    }
};

QTEST_GUILESS_MAIN(tst_file_commands)
#include "tst_file_commands.moc"
