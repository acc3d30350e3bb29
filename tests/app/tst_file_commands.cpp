// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/picture_versions.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "test_env.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <unistd.h>

using namespace lf;

class tst_file_commands : public QObject {
    Q_OBJECT
    QString dir;
    QString at(const QString &name) const { return dir + QLatin1Char('/') + name; }
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("pics"));
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        test::write_file(at(QStringLiteral("a.jpg")), "picture a");
        test::write_file(at(QStringLiteral("taken.jpg")), "picture t");
    }

    void delete_keeps_a_copy_first()
    {
        test::ScriptedPrompt p;
        const QString a = at(QStringLiteral("a.jpg"));
        QVERIFY(delete_with_backup(a) && !QFileInfo::exists(a));
        QCOMPARE(test::read_bytes(versions_folder(app().tmp_pic_dir, a) + QStringLiteral("/deleted/a.jpg")),
                 QByteArray("picture a"));
        QCOMPARE(app().deleted_pictures, QLatin1Char('|') + a);
    }

    // One answer to "New file name?" for a.jpg (the next, empty, ends it);
    // the rules are the window's: trim the answer, add a missing extension.
    void rename_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("renamed");
        QTest::addColumn<QString>("message");
        const QString ext = QStringLiteral("File extension cannot be modified");
        const QString invalid = QStringLiteral("Invalid file name");
        QTest::newRow("same extension other case") << "b.JPG" << "" << "b.JPG" << "";
        QTest::newRow("case of the same file") << "A.jpg" << "" << "A.jpg" << "";
        QTest::newRow("spaces and quotes") << "my \"best\" b.jpg" << "" << "my \"best\" b.jpg" << "";
        QTest::newRow("other extension") << "b.gif" << "" << "" << ext;
        QTest::newRow("blanks kept: extension differs") << " b.jpg " << "" << "" << ext;
        QTest::newRow("blank") << "   " << "" << "" << "";
        QTest::newRow("slash moves files") << "../b.jpg" << "" << "" << invalid;
        QTest::newRow("existing file") << "taken.jpg" << "" << "" << invalid;
        QTest::newRow("blanks trimmed") << " b.jpg " << "trim" << "b.jpg" << "";
        QTest::newRow("bare name keeps extension") << "b" << "ext" << "b.jpg" << "";
        QTest::newRow("bare name onto a taken one") << "taken" << "ext" << "" << invalid;
        QTest::newRow("dotted name not extended") << "b.v2" << "ext" << "" << ext;
        QTest::newRow("same name") << "a.jpg" << "trim ext" << "" << "";
        QTest::newRow("300 characters") << QString(296, QLatin1Char('n')) + ".jpg" << "" << ""
                                        << "Error 36 - File name too long";
    }
    void rename()
    {
        QFETCH(QString, answer);
        QFETCH(QString, rules);
        QFETCH(QString, renamed);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        p.texts = {answer};
        save_setting(key::last_picture_file, at(QStringLiteral("a.jpg"))); // follows the picture
        RenameRules r;
        r.trim_answer = rules.contains(QLatin1String("trim"));
        r.add_missing_extension = rules.contains(QLatin1String("ext"));
        const QString result = ask_and_rename(at(QStringLiteral("a.jpg")), QStringLiteral("Renaming last file"), r);
        QCOMPARE(result, renamed.isEmpty() ? QString() : at(renamed));
        QCOMPARE(test::read_bytes(renamed.isEmpty() ? at(QStringLiteral("a.jpg")) : result), QByteArray("picture a"));
        QCOMPARE(test::read_bytes(at(QStringLiteral("taken.jpg"))), QByteArray("picture t"));
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(get_setting(key::last_picture_file), result.isEmpty() ? at(QStringLiteral("a.jpg")) : result);
        QCOMPARE(p.inputs[0].title + '|' + p.inputs[0].prompt + '|' + p.inputs[0].proposed,
                 QStringLiteral("Renaming last file|New file name?|a.jpg"));
    }

    // The picture reaches the editor as one argument; what cannot start is said.
    void picture_editor()
    {
        test::ScriptedPrompt p;
        const QString editor = at(QStringLiteral("editor.sh"));
        test::write_file(editor, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$1\")/args.txt\"\n");
        test::write_file(at(QStringLiteral("broken")), "\x7f\x01not a program"); // executable, yet no program
        for (const QString &f : {editor, at(QStringLiteral("broken"))})
            QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QString picture = at(QStringLiteral("it's a \"pic\" $(x).jpg"));
        test::write_file(picture);
        edit_with_picture_editor(editor, picture);
        QTRY_VERIFY(QFileInfo(at(QStringLiteral("args.txt"))).size() > 0);
        QCOMPARE(QString::fromUtf8(test::read_bytes(at(QStringLiteral("args.txt")))), "1\n" + picture + '\n');
        for (const QString &e : {QString(), at(QStringLiteral("none")), at(QStringLiteral("broken"))})
            edit_with_picture_editor(e, picture);
        EditorMessages m;
        m.no_picture = QStringLiteral("no picture");
        QCOMPARE(start_picture_editor(QStringLiteral("/bin/true"), at(QStringLiteral("none.jpg")), m), EditorStart::NoPicture);
        QCOMPARE(p.message_texts(), (QStringList{"Picture editor path not assigned. Go to Image Viewer main panel and assign it.",
                                                 "Path of picture editor is wrong. Go to main menu and reassign it.",
                                                 "The picture editor " + at("broken") + " could not be started.", "no picture"}));
    }

    // A case-only rename where case folds meets the same file (here a hard link): it goes ahead.
    void rename_onto_another_name_of_the_same_file()
    {
        QVERIFY(::link(QFile::encodeName(at("a.jpg")).constData(), QFile::encodeName(at("A.JPG")).constData()) == 0);
        QVERIFY(!rename_file(at("a.jpg"), at("A.JPG")).failed());
    }

    void copy_as_starts_where_the_last_copy_went()
    {
        test::ScriptedPrompt p;
        const QString target = at(QStringLiteral("copy of a.jpg"));
        p.texts = {target};
        copy_file_as(at(QStringLiteral("a.jpg")), dir);
        QCOMPARE(test::read_bytes(target), QByteArray("picture a"));
        QCOMPARE(p.files[0].start, at(QStringLiteral("a.jpg")));
        const QString other = test::fresh_folder(QStringLiteral("other"));
        copy_file_as(other + QStringLiteral("/x.jpg"), other);
        QCOMPARE(p.files[1].start, at(QStringLiteral("x.jpg")));
    }
};

QTEST_GUILESS_MAIN(tst_file_commands)
#include "tst_file_commands.moc"
