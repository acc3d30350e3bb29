// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "tools/file_name_tools.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lf;

Q_DECLARE_METATYPE(lf::RenameKind)

namespace {

QStringList files_in(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    names.sort();
    return names;
}

QString folder_with(const QStringList &names)
{
    const QString dir = test::fresh_folder(QStringLiteral("rename"));
    for (const QString &n : names)
        test::write_file(dir + QLatin1Char('/') + n, n.toUtf8());
    return dir;
}

QByteArray content_of(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
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
        QTest::addColumn<int>("count");
        const auto add = RenameKind::AddString;
        const auto remove = RenameKind::RemoveString;
        const auto seq = RenameKind::SequenceNumbers;
        QTest::newRow("add to every kind of file")
            << add << "2004_" << QStringList{"a.jpg", "b.txt", "2004_c.jpg"}
            << QStringList{"2004_a.jpg", "2004_b.txt", "2004_c.jpg"} << 2;
        QTest::newRow("add skips names holding it anywhere, any case")
            << add << "x" << QStringList{"box.jpg", "BOX2.jpg", "a.jpg"}
            << QStringList{"BOX2.jpg", "box.jpg", "xa.jpg"} << 1;
        QTest::newRow("remove, any case")
            << remove << "img" << QStringList{"IMG0001.JPG", "photo.jpg"}
            << QStringList{"0001.JPG", "photo.jpg"} << 1;
        QTest::newRow("remove repeatedly, counted per pass, never to a hidden name")
            << remove << "img" << QStringList{"imgimg.jpg", "imgimgimgA.jpg"}
            << QStringList{"A.jpg", "img.jpg"} << 4;
        QTest::newRow("remove twice")
            << remove << "img" << QStringList{"imgimgA.jpg"} << QStringList{"A.jpg"} << 2;
        QTest::newRow("sequence numbers keep the extension as it stands")
            << seq << "trip" << QStringList{"c.jpg", "a.GIF", "notes.txt"}
            << QStringList{"notes.txt", "trip0001.GIF", "trip0002.jpg"} << 2;
        QTest::newRow("sequence skips pictures already numbered")
            << seq << "trip" << QStringList{"trip0001.jpg", "b.bmp"}
            << QStringList{"trip0001.bmp", "trip0001.jpg"} << 1;
        QTest::newRow("nothing qualifies") << add << "a" << QStringList{"a.jpg"}
                                           << QStringList{"a.jpg"} << 0;
    }
    void renames_a_folder()
    {
        QFETCH(lf::RenameKind, kind);
        QFETCH(QString, string);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(int, count);
        const QString dir = folder_with(before);
        const RenameRun run = rename_files(dir, kind, string);
        after.sort();
        QCOMPARE(files_in(dir), after);
        QCOMPARE(run.count, count);
        // A second run with the same string finds nothing more to do.
        QCOMPARE(rename_files(dir, kind, string).count, 0);
    }

    void names_that_cannot_be_made_are_skipped()
    {
        const QString dir = folder_with({QStringLiteral("ab.."), QStringLiteral("ab.")});
        const RenameRun run = rename_files(dir, RenameKind::RemoveString, QStringLiteral("AB"));
        QCOMPARE(run.count, 0);
        QCOMPARE(run.skipped.size(), 2);
        QCOMPARE(run.skipped[0].reason, RenameSkip::Invalid);
        QCOMPARE(run.skipped[1].reason, RenameSkip::Invalid);
        QCOMPARE(files_in(dir), (QStringList{"ab.", "ab.."}));
    }

    void contents_follow_their_files_and_nothing_is_overwritten()
    {
        const QString dir = folder_with({QStringLiteral("xa.jpg"), QStringLiteral("a.jpg"),
                                         QStringLiteral("xb.jpg"), QStringLiteral("x")});
        const RenameRun run = rename_files(dir, RenameKind::RemoveString, QStringLiteral("X"));
        QCOMPARE(run.count, 1);
        QCOMPARE(files_in(dir), (QStringList{"a.jpg", "b.jpg", "x", "xa.jpg"}));
        QCOMPARE(content_of(dir + "/a.jpg"), QByteArray("a.jpg"));
        QCOMPARE(content_of(dir + "/xa.jpg"), QByteArray("xa.jpg"));
        QCOMPARE(content_of(dir + "/b.jpg"), QByteArray("xb.jpg"));
        QCOMPARE(run.last_new_name, QStringLiteral("b.jpg"));
        QCOMPARE(run.skipped.size(), 2);
        QCOMPARE(run.skipped[0].name, QStringLiteral("x")); // empty new name
        QCOMPARE(run.skipped[0].reason, RenameSkip::Invalid);
        QCOMPARE(run.skipped[1].name, QStringLiteral("xa.jpg"));
        QCOMPARE(run.skipped[1].reason, RenameSkip::Exists);
        QCOMPARE(rename_report(run).section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("1 files renamed."));
        QVERIFY(rename_report(run).contains(QStringLiteral("xa.jpg: \"a.jpg\" already exists")));
    }

    void only_ordinary_visible_files_are_touched()
    {
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral(".hidden.jpg")});
        QDir(dir).mkdir(QStringLiteral("sub.jpg"));
        QFile::link(dir + QStringLiteral("/a.jpg"), dir + QStringLiteral("/link.jpg"));
        const RenameRun run = rename_files(dir, RenameKind::AddString, QStringLiteral("n_"));
        QCOMPARE(run.count, 1);
        QVERIFY(QFileInfo(dir + QStringLiteral("/sub.jpg")).isDir());
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/.hidden.jpg")));
        QVERIFY(QFileInfo(dir + QStringLiteral("/link.jpg")).isSymLink());
    }

    void refused_strings_data()
    {
        QTest::addColumn<lf::RenameKind>("kind");
        QTest::addColumn<QString>("string");
        QTest::addColumn<bool>("refused");
        QTest::newRow("slash") << RenameKind::AddString << "/" << true;
        QTest::newRow("a/b remove") << RenameKind::RemoveString << "a/b" << true;
        QTest::newRow("dots hide added") << RenameKind::AddString << ".." << true;
        QTest::newRow("dot hides numbered") << RenameKind::SequenceNumbers << "." << true;
        QTest::newRow("dots removed") << RenameKind::RemoveString << ".." << false;
        QTest::newRow("plain") << RenameKind::AddString << "2004_" << false;
    }
    void refused_strings()
    {
        QFETCH(lf::RenameKind, kind);
        QFETCH(QString, string);
        QFETCH(bool, refused);
        QCOMPARE(!string_problem(kind, string).isEmpty(), refused);
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
        if (refused) {
            QCOMPARE(rename_files(dir, kind, string).count, 0);
            QCOMPARE(files_in(dir), (QStringList{"a.jpg", "b.jpg"}));
        }
    }

    void too_long_names_are_tried_once_and_reported()
    {
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
        int attempts = 0;
        const RenameRun run = rename_files(dir, RenameKind::AddString, QString(300, QLatin1Char('s')),
                                           [&] { ++attempts; });
        QCOMPARE(run.count, 0);
        QCOMPARE(attempts, 2);
        QCOMPARE(run.skipped.size(), 2);
        QCOMPARE(run.skipped[0].reason, RenameSkip::Refused);
        QVERIFY(!run.skipped[0].detail.isEmpty());
        QCOMPARE(files_in(dir), (QStringList{"a.jpg", "b.jpg"}));
    }

    void read_only_folder_ends_without_looping()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        const QString dir = folder_with({QStringLiteral("a.jpg")});
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        const RenameRun run = rename_files(dir, RenameKind::AddString, QStringLiteral("n_"));
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(run.count, 0);
        QCOMPARE(run.skipped.size(), 1);
        QCOMPARE(run.skipped[0].reason, RenameSkip::Refused);
    }

    void names_that_are_not_utf8_keep_their_bytes()
    {
        const QString dir = test::fresh_folder(QStringLiteral("bytes"));
        const QByteArray raw = QFile::encodeName(dir) + "/caf\xe9.jpg";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        QCOMPARE(rename_files(dir, RenameKind::AddString, QStringLiteral("n_")).count, 1);
        struct stat st {};
        QCOMPARE(::stat(QByteArray(QFile::encodeName(dir) + "/n_caf\xe9.jpg").constData(), &st), 0);
        QCOMPARE(rename_files(dir, RenameKind::RemoveString, QStringLiteral("N_")).count, 1);
        QCOMPARE(::stat(raw.constData(), &st), 0);
    }

    void files_vanishing_midway_are_passed_by()
    {
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg"),
                                         QStringLiteral("d.jpg")});
        bool removed = false;
        const RenameRun run = rename_files(dir, RenameKind::AddString, QStringLiteral("z_"), [&] {
            if (!std::exchange(removed, true))
                QFile::remove(dir + QStringLiteral("/d.jpg")); // another program's delete
        });
        QCOMPARE(files_in(dir), (QStringList{"z_a.jpg", "z_b.jpg", "z_c.jpg"}));
        QCOMPARE(content_of(dir + "/z_b.jpg"), QByteArray("b.jpg"));
        QCOMPARE(run.count, 3);
    }

    void a_large_folder_is_renamed_completely()
    {
        const QString dir = test::fresh_folder(QStringLiteral("large"));
        for (int i = 0; i < 2000; ++i)
            test::write_file(dir + QStringLiteral("/p%1.jpg").arg(i, 4, 10, QLatin1Char('0')),
                             i == 0 ? "first" : "x");
        const RenameRun run = rename_files(dir, RenameKind::SequenceNumbers, QStringLiteral("s"));
        QCOMPARE(run.count, 2000);
        const QStringList names = files_in(dir);
        QCOMPARE(names.size(), 2000);
        QCOMPARE(names.front(), QStringLiteral("s0001.jpg"));
        QCOMPARE(names.back(), QStringLiteral("s2000.jpg"));
        // Listing order is name order: p0000 became s0001.
        QCOMPARE(content_of(dir + QStringLiteral("/s0001.jpg")), QByteArray("first"));
    }

    void commands_ask_in_order_and_report_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("string");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last_picture");
        QTest::newRow("add") << 0 << "Adding string to names of files in a given directory"
                             << "String to be added?" << "2004_" << 3 << "2004_c.jpg";
        QTest::newRow("remove") << 1 << "Removing string from names of files in a given directory"
                                << "String to removed?" << "A." << 1 << "jpg";
        QTest::newRow("sequence") << 2 << "Renaming files to sequence numbers"
                                  << "String to be added?" << "t" << 2 << "t0002.jpg";
    }
    void commands_ask_in_order_and_report()
    {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(QString, question);
        QFETCH(QString, string);
        QFETCH(int, count);
        QFETCH(QString, last_picture);
        const QString dir = folder_with({QStringLiteral("a.jpg"), QStringLiteral("b.txt"),
                                         QStringLiteral("c.jpg")});
        save_setting(key::last_picture_file, dir + QStringLiteral("/c.jpg"));
        test::ScriptedPrompt p;
        p.texts = {dir, string};
        void (*commands[])() = {add_string_to_names, remove_string_from_names,
                                rename_to_sequence_numbers};
        commands[command]();

        QCOMPARE(p.folders.size(), 1);
        QCOMPARE(p.folders[0].start, dir);
        QCOMPARE(p.inputs.size(), 1);
        QCOMPARE(p.inputs[0].title, title);
        QCOMPARE(p.inputs[0].prompt, question);
        QCOMPARE(app().selected_folder, dir);
        QCOMPARE(p.message_texts(), QStringList{QString::number(count) + " files renamed."});
        QCOMPARE(p.messages[0].title, QStringLiteral("Lumenfolio"));
        QCOMPARE(p.messages[0].buttons, Buttons::Ok);
        QCOMPARE(get_setting(key::last_picture_file), dir + QLatin1Char('/') + last_picture);
        QCOMPARE(app().last_picture_file, dir + QLatin1Char('/') + last_picture);
    }

    void remove_string_without_renames_names_the_folder()
    {
        const QString dir = folder_with({QStringLiteral("a.jpg")});
        test::ScriptedPrompt p;
        p.texts = {dir, QStringLiteral("zz")};
        remove_string_from_names();
        QCOMPARE(p.message_texts(), QStringList{QStringLiteral("0 files renamed.")});
        QCOMPARE(get_setting(key::last_picture_file), dir + QLatin1Char('/'));
    }

    void cancel_or_empty_string_stops_before_renaming()
    {
        const QString dir = folder_with({QStringLiteral("a.jpg")});
        save_setting(key::last_picture_file, dir + QStringLiteral("/a.jpg"));
        {
            test::ScriptedPrompt p;
            p.texts = {QString()}; // Cancel in the folder dialog
            add_string_to_names();
            QVERIFY(p.inputs.isEmpty());
            QVERIFY(p.messages.isEmpty());
        }
        {
            test::ScriptedPrompt p;
            p.texts = {dir, QString()}; // empty string
            rename_to_sequence_numbers();
            QCOMPARE(p.inputs.size(), 1);
            QVERIFY(p.messages.isEmpty());
        }
        {
            test::ScriptedPrompt p;
            p.texts = {dir, QStringLiteral("a/b")};
            add_string_to_names();
            QCOMPARE(p.messages.size(), 1);
            QVERIFY(p.messages[0].text.contains(QStringLiteral("\"/\"")));
        }
        QCOMPARE(files_in(dir), QStringList{QStringLiteral("a.jpg")});
        QCOMPARE(get_setting(key::last_picture_file), dir + QStringLiteral("/a.jpg"));
    }
};

QTEST_GUILESS_MAIN(tst_file_name_tools)
#include "tst_file_name_tools.moc"
