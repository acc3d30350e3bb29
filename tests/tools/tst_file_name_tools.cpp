// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "tools/file_name_tools.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace lf;

Q_DECLARE_METATYPE(lf::RenameKind)

namespace {

// Each file holds its first name: "new<old" marks a file renamed from old.
QStringList files_in(const QString &folder)
{
    QStringList out;
    for (const QString &n : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        QFile f(folder + QLatin1Char('/') + n);
        const QString was = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        out << (was == n ? n : n + QLatin1Char('<') + was);
    }
    out.sort();
    return out;
}

QString folder_with(const QStringList &names)
{
    const QString dir = test::fresh_folder(QStringLiteral("rename"));
    for (const QString &n : names)
        test::write_file(dir + QLatin1Char('/') + n, n.toUtf8());
    return dir;
}

} // namespace

class tst_file_name_tools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void renames_a_folder_data()
    {
        QTest::addColumn<lf::RenameKind>("kind");
        QTest::addColumn<QString>("string");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("report");
        const auto add = RenameKind::AddString;
        const auto remove = RenameKind::RemoveString;
        const auto seq = RenameKind::SequenceNumbers;
        QTest::newRow("add to every kind of visible file")
            << add << "2004_" << QStringList{"a.jpg", "b.txt", "2004_c.jpg", ".d.jpg"}
            << QStringList{".d.jpg", "2004_a.jpg<a.jpg", "2004_b.txt<b.txt", "2004_c.jpg"} << "2 files renamed.";
        QTest::newRow("add skips names holding it anywhere, any case")
            << add << "x" << QStringList{"box.jpg", "BOX2.jpg", "a.jpg"}
            << QStringList{"BOX2.jpg", "box.jpg", "xa.jpg<a.jpg"} << "1 files renamed.";
        QTest::newRow("remove, any case, repeatedly")
            << remove << "img" << QStringList{"IMG0001.JPG", "photo.jpg", "imgimgA.jpg"}
            << QStringList{"0001.JPG<IMG0001.JPG", "A.jpg<imgimgA.jpg", "photo.jpg"} << "3 files renamed.";
        QTest::newRow("remove never makes a hidden or empty name")
            << remove << "X" << QStringList{"x.jpg", "xb.jpg", "x"}
            << QStringList{"b.jpg<xb.jpg", "x", "x.jpg"}
            << "1 files renamed.\n\n2 files were left as they are:\n"
               "x: the new name would be empty\n"
               "x.jpg: \".jpg\" would begin with \".\" and be hidden";
        QTest::newRow("nothing is overwritten, the rest goes on")
            << remove << "img" << QStringList{"imgimga.jpg", "imgb.jpg", "b.jpg"}
            << QStringList{"a.jpg<imgimga.jpg", "b.jpg", "imgb.jpg"}
            << "2 files renamed.\n\n1 files were left as they are:\n"
               "imgb.jpg: \"b.jpg\" already exists";
        QTest::newRow("no name differing only in letter case")
            << seq << "trip" << QStringList{"trip0001.JPG", "b.jpg", "c.bmp"}
            << QStringList{"b.jpg", "trip0001.JPG", "trip0001.bmp<c.bmp"}
            << "1 files renamed.\n\n1 files were left as they are:\n"
               "b.jpg: \"trip0001.jpg\" already exists";
        QTest::newRow("sequence numbers keep the extension as it stands")
            << seq << "trip" << QStringList{"c.jpg", "a.GIF", "notes.txt"}
            << QStringList{"notes.txt", "trip0001.GIF<a.GIF", "trip0002.jpg<c.jpg"} << "2 files renamed.";
        QTest::newRow("refused by the system, each once")
            << add << QString(300, QLatin1Char('s')) << QStringList{"a.jpg", "b.jpg"} << QStringList{"a.jpg", "b.jpg"}
            << "0 files renamed.\n\n2 files were left as they are:\na.jpg: File name too long\n"
               "b.jpg: File name too long";
    }
    void renames_a_folder()
    {
        QFETCH(lf::RenameKind, kind);
        QFETCH(QString, string);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, report);
        const QString dir = folder_with(before);
        const RenameRun run = rename_files(dir, kind, string);
        after.sort();
        QCOMPARE(files_in(dir), after);
        QCOMPARE(rename_report(run), report);
        QCOMPARE(rename_files(dir, kind, string).count, 0);
    }

    void names_that_are_not_utf8_keep_their_bytes()
    {
        const QString dir = test::fresh_folder(QStringLiteral("bytes"));
        const QByteArray raw = QFile::encodeName(dir) + "/caf\xe9.jpg";
        QVERIFY(::close(::open(raw.constData(), O_CREAT | O_WRONLY, 0644)) == 0);
        QCOMPARE(rename_files(dir, RenameKind::AddString, QStringLiteral("n_")).count, 1);
        QCOMPARE(::access(QByteArray(QFile::encodeName(dir) + "/n_caf\xe9.jpg").constData(), F_OK), 0);
        QCOMPARE(rename_files(dir, RenameKind::RemoveString, QStringLiteral("N_")).count, 1);
        QCOMPARE(::access(raw.constData(), F_OK), 0);
    }

    void commands_ask_in_order_and_report_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("string");
        QTest::addColumn<QString>("message"); // "" for none
        QTest::addColumn<QString>("last_picture"); // in the folder
        QTest::newRow("add") << 0 << "2004_" << "3 files renamed." << "2004_c.jpg";
        QTest::newRow("a hiding string") << 0 << "."
            << "The string cannot begin with \".\": the files would become hidden." << "c.jpg";
        QTest::newRow("remove") << 1 << "A." << "1 files renamed." << "jpg";
        QTest::newRow("remove nothing names the folder") << 1 << "zz" << "0 files renamed." << "";
        QTest::newRow("a slash") << 1 << "a/b" << "The string cannot contain \"/\": file names cannot hold it."
                                 << "c.jpg";
        QTest::newRow("sequence") << 2 << "t" << "2 files renamed." << "t0002.jpg";
        QTest::newRow("an empty string") << 2 << "" << "" << "c.jpg";
    }
    void commands_ask_in_order_and_report()
    {
        QFETCH(int, command);
        QFETCH(QString, string);
        QFETCH(QString, message);
        QFETCH(QString, last_picture);
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral("b.txt"), QStringLiteral("c.jpg")});
        save_setting(key::last_picture_file, dir + QStringLiteral("/c.jpg"));
        test::ScriptedPrompt p;
        p.texts = {dir, string};
        void (*commands[])() = {add_string_to_names, remove_string_from_names, rename_to_sequence_numbers};
        commands[command]();

        const char *titles[] = {"Adding string to names of files in a given directory",
                                "Removing string from names of files in a given directory",
                                "Renaming files to sequence numbers"};
        QCOMPARE(p.folders.size(), 1);
        QCOMPARE(p.folders[0].start, dir);
        QCOMPARE(p.inputs.size(), 1);
        QCOMPARE(p.inputs[0].title, QLatin1String(titles[command]));
        QCOMPARE(p.inputs[0].prompt, command == 1 ? "String to removed?" : "String to be added?");
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList() : QStringList{message});
        for (const MessageRequest &m : p.messages)
            QVERIFY(m.title == QStringLiteral("Lumenfolio") && m.buttons == Buttons::Ok);
        QCOMPARE(get_setting(key::last_picture_file), dir + QLatin1Char('/') + last_picture);
    }
};

QTEST_GUILESS_MAIN(tst_file_name_tools)
#include "tst_file_name_tools.moc"
