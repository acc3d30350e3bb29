// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/paths.h"
#include "app/start_up.h"
#include "fake_windows.h"
#include "panel/main_panel_commands.h"
#include "fault_injection.h"
#include "panel/picture_search.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_sheet.h"
#include "thumbs/thumbnail_state.h"
#include "tools/file_name_tools.h"
#include "viewer/cDIBSection.h"
#include "viewer/jpeg_saving.h"

#include <QDir>
#include <QDirIterator>
#include <QUrl>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace lf;

// Every operation that writes, replaces, renames or deletes a user's file,
// as steps on a folder of labelled files; the last step may meet a full disk
// (a file-size limit) or a read-only folder. Afterwards every file of the
// folder is compared byte for byte, and so are what tmp_pic and the Trash
// keep. A label names bytes: a letter a picture of its own, S1, S2... the
// JPEGs the saves wrote, L a slide show file listing x.jpg and a missing
// picture. The notices (not the steps' questions) are compared, "@" standing
// for the folder.
namespace {

QByteArray picture_bytes(char fill) { return "\xFF\xD8" + QByteArray(4996, fill) + "\xFF\xD9"; }

struct Host : JpegSaveHost {
    QByteArray preview;
    void open_preview(const QString &f) override { preview = test::read_bytes(f); }
    void set_preview_caption(const QString &) override {}
    void close_preview() override {}
    void close_window() override {}
    void activate() override {}
    void reload_after_replace() override {}
    void clear_start_cropping() override {}
};

// "name=label name=label ..." as a sorted map.
QMap<QString, QString> labelled(const QString &s)
{
    QMap<QString, QString> m;
    for (const QString &item : s.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        m.insert(item.section(QLatin1Char('='), 0, 0), item.section(QLatin1Char('='), 1));
    return m;
}

} // namespace

class tst_file_safety : public QObject {
    Q_OBJECT
    QString user, tmp, trash;
    QMap<QString, QByteArray> bytes; // label -> bytes

    QByteArray bytes_of(const QString &label)
    {
        if (!bytes.contains(label))
            bytes.insert(label, label.size() == 1 ? picture_bytes(label[0].toLatin1()) : QByteArray());
        return bytes[label];
    }
    QString label_of(const QByteArray &b) const
    {
        const QString l = bytes.key(b);
        return l.isEmpty() ? QStringLiteral("?%1").arg(b.size()) : l;
    }
    QString at(const QString &name) const { return user + QLatin1Char('/') + name; }
    void set_read_only(bool on)
    {
        for (const char *d : {"", "/a", "/b"})
            test::set_read_only(user + QLatin1String(d), on);
    }

    void run(const QString &step, test::ScriptedPrompt &prompt, int &saves)
    {
        const QStringList w = step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString &verb = w[0];
        if (verb == QLatin1String("save")) {
            Host host;
            cDIBSection dib;
            QImage img(16, 16, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(40 * ++saves, 255, 255));
            dib.CreateFromPicture(img);
            prompt.answers.push_back(Answer::Yes);
            save_and_decide(host, at(w[1]), at(w[2]), 80, dib, false);
            bytes.insert(QStringLiteral("S%1").arg(saves), host.preview);
        } else if (verb == QLatin1String("restore")) {
            restore_picture(at(w[1]));
        } else if (verb == QLatin1String("delete")) {
            delete_with_backup(at(w[1]));
        } else if (verb == QLatin1String("copy")) {
            prompt.texts.push_back(at(w[2]));
            copy_file_as(at(w[1]), user);
        } else if (verb == QLatin1String("rename")) {
            prompt.texts.push_back(w[2]);
            ask_and_rename(at(w[1]), QStringLiteral("Renaming last file"));
        } else if (verb == QLatin1String("ssf")) {
            for (int i = 1; i <= 40; ++i)
                slides().slot(i).path = at(QStringLiteral("x.jpg"));
            slides().slide_count = 40;
            save_slide_show_file(at(w[1]));
        } else if (verb == QLatin1String("ssf-read")) {
            prompt.answers.insert(prompt.answers.end(), {Answer::Ok, Answer::Yes});
            read_slide_list(at(w[1]));
        } else if (verb == QLatin1String("tnf")) {
            thumbnails().picture_list = QStringList(40, at(QStringLiteral("x.jpg")));
            write_thumbnail_files(user, folder_thumbnail_prefix);
        } else if (verb == QLatin1String("batch")) {
            const RenameKind kind = w[1] == QLatin1String("remove") ? RenameKind::RemoveString
                                                                    : RenameKind::SequenceNumbers;
            notify(rename_report(rename_files(user, kind, w[2])));
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }

    QStringList labels_under(const QString &folder)
    {
        QStringList out;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << label_of(test::read_bytes(it.next()));
        return out;
    }

    // "original path relative to the folder=label" per picture in the Trash,
    // each with its info file naming where it came from.
    QStringList trashed()
    {
        QStringList out;
        for (const QString &name : QDir(trash + QStringLiteral("/files")).entryList(QDir::Files)) {
            const QByteArray info = test::read_bytes(trash + QStringLiteral("/info/") + name
                                                     + QStringLiteral(".trashinfo"));
            const qsizetype p = info.indexOf("\nPath=");
            const QString from = QUrl::fromPercentEncoding(info.mid(p + 6, info.indexOf('\n', p + 1) - p - 6));
            out << QDir(user).relativeFilePath(from) + QLatin1Char('=')
                       + label_of(test::read_bytes(trash + QStringLiteral("/files/") + name));
        }
        out.sort();
        return out;
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        user = test::fresh_folder(QStringLiteral("user"));
        tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        app().tmp_pic_dir = tmp;
        trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash");
        QDir(trash).removeRecursively();
        bytes.clear();
    }
    void cleanup() { set_read_only(false); }

    void steps_keep_every_version_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("fault"); // on the last step: "", "full", "read-only", "no Trash"
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("kept"); // labels tmp_pic must hold
        QTest::addColumn<QStringList>("trash");
        const QString no_backup = QStringLiteral("Backup file with same file name not found");
        const QString efbig = QStringLiteral("Error 27 - File too large");
        const QString eacces = QStringLiteral("Error 13 - Permission denied");

        // Whose backup is whose.
        QTest::newRow("same name in two folders")
            << "a/x.jpg=A b/x.jpg=B" << "save a/x.jpg a/x.jpg; save b/x.jpg b/x.jpg; restore a/x.jpg" << ""
            << "a/x.jpg=A b/x.jpg=S2" << QStringList{} << "A B S1" << QStringList{};
        QTest::newRow("same base name, other extension")
            << "x.bmp=A x.jpg=B" << "save x.bmp y.jpg; restore x.jpg; restore x.bmp" << ""
            << "x.bmp=A x.jpg=B y.jpg=S1" << QStringList{no_backup, no_backup} << "" << QStringList{};
        QTest::newRow("saved over its twin, the twin restores")
            << "x.bmp=A x.jpg=B" << "save x.bmp x.jpg; restore x.bmp; restore x.jpg" << ""
            << "x.bmp=A x.jpg=B" << QStringList{no_backup} << "S1" << QStringList{};
        QTest::newRow("saved twice, the first version stays")
            << "x.jpg=A" << "save x.jpg x.jpg; save x.jpg x.jpg; restore x.jpg" << ""
            << "x.jpg=S1" << QStringList{} << "A S2" << QStringList{};
        QTest::newRow("deleted, then a save of its twin")
            << "x.jpg=A x.bmp=B" << "delete x.jpg; save x.bmp y.jpg" << ""
            << "x.bmp=B y.jpg=S1" << QStringList{} << "A" << QStringList{"x.jpg=A"};
        QTest::newRow("deleted twice under one path, same name in two folders")
            << "a/x.jpg=A b/x.jpg=B c.jpg=C" << "delete a/x.jpg; delete b/x.jpg; copy c.jpg a/x.jpg; delete a/x.jpg"
            << "" << "c.jpg=C" << QStringList{} << "A B C" << QStringList{"a/x.jpg=A", "a/x.jpg=C", "b/x.jpg=B"};
        QTest::newRow("copy beside a .part of the user's")
            << "x.jpg=A c.jpg.part=P" << "copy x.jpg c.jpg; copy x.jpg d" << ""
            << "x.jpg=A c.jpg=A c.jpg.part=P d.jpg=A" << QStringList{} << "" << QStringList{};

        // Faults: the user's files stay byte for byte, the message says why.
        QTest::newRow("save over, disk full")
            << "x.jpg=A" << "save x.jpg x.jpg" << "full" << "x.jpg=A" << QStringList{efbig} << "" << QStringList{};
        QTest::newRow("save over, read-only")
            << "x.jpg=A" << "save x.jpg x.jpg" << "read-only" << "x.jpg=A" << QStringList{eacces} << "A"
            << QStringList{};
        QTest::newRow("restore, disk full")
            << "x.jpg=A" << "save x.jpg x.jpg; restore x.jpg" << "full" << "x.jpg=S1" << QStringList{efbig}
            << "A" << QStringList{};
        QTest::newRow("restore, read-only")
            << "x.jpg=A" << "save x.jpg x.jpg; restore x.jpg" << "read-only" << "x.jpg=S1"
            << QStringList{eacces} << "A" << QStringList{};
        QTest::newRow("delete, disk full")
            << "x.jpg=A" << "delete x.jpg" << "full" << "x.jpg=A" << QStringList{efbig} << "" << QStringList{};
        QTest::newRow("delete, read-only")
            << "x.jpg=A" << "delete x.jpg" << "read-only" << "x.jpg=A" << QStringList{eacces} << ""
            << QStringList{};
        QTest::newRow("delete, no Trash can take it")
            << "x.jpg=A" << "delete x.jpg" << "no Trash" << "" << QStringList{} << "A" << QStringList{};
        QTest::newRow("delete, gone") << "" << "delete x.jpg" << "" << ""
                                      << QStringList{"Error 2 - No such file or directory"} << "" << QStringList{};
        QTest::newRow("copy over, disk full")
            << "x.jpg=A c.jpg=C" << "copy x.jpg c.jpg" << "full" << "x.jpg=A c.jpg=C" << QStringList{efbig} << ""
            << QStringList{};
        QTest::newRow("copy over, read-only")
            << "x.jpg=A c.jpg=C" << "copy x.jpg c.jpg" << "read-only" << "x.jpg=A c.jpg=C" << QStringList{eacces}
            << "" << QStringList{};
        QTest::newRow("copy of a vanished picture")
            << "c.jpg=C" << "copy x.jpg c.jpg" << "" << "c.jpg=C"
            << QStringList{"Error 2 - No such file or directory"} << "" << QStringList{};
        QTest::newRow("rename, read-only")
            << "x.jpg=A" << "rename x.jpg y.jpg" << "read-only" << "x.jpg=A" << QStringList{eacces} << ""
            << QStringList{};
        QTest::newRow("rename onto another file")
            << "x.jpg=A y.jpg=B" << "rename x.jpg y.jpg" << "" << "x.jpg=A y.jpg=B"
            << QStringList{invalid_file_name} << "" << QStringList{};
        QTest::newRow("slide show saved, disk full")
            << "x.jpg=A s.ssf=L" << "ssf s.ssf" << "full" << "x.jpg=A s.ssf=L" << QStringList{efbig} << ""
            << QStringList{};
        QTest::newRow("slide show saved, read-only")
            << "x.jpg=A s.ssf=L" << "ssf s.ssf" << "read-only" << "x.jpg=A s.ssf=L" << QStringList{eacces}
            << "" << QStringList{};
        QTest::newRow("slide show rewritten without a missing picture, disk full")
            << "x.jpg=A s.ssf=L" << "ssf-read s.ssf" << "full" << "x.jpg=A s.ssf=L" << QStringList{efbig}
            << "" << QStringList{};
        QTest::newRow("slide show rewritten without a missing picture, read-only")
            << "x.jpg=A s.ssf=L" << "ssf-read s.ssf" << "read-only" << "x.jpg=A s.ssf=L"
            << QStringList{eacces} << "" << QStringList{};
        QTest::newRow("thumbnail file, disk full")
            << "x.jpg=A" << "tnf" << "full" << "x.jpg=A" << QStringList{efbig} << "" << QStringList{};

        // Batch names: none hidden, none a twin of another in letter case.
        QTest::newRow("sequence number taken in other case")
            << "trip0001.JPG=A b.jpg=B" << "batch sequence trip" << "" << "trip0001.JPG=A b.jpg=B"
            << QStringList{"0 files renamed.\n\n1 files were left as they are:\nb.jpg: \"trip0001.jpg\" already "
                           "exists"}
            << "" << QStringList{};
        QTest::newRow("removal leaving a leading dot")
            << "x.jpg=A xy.jpg=B" << "batch remove x" << "" << "x.jpg=A y.jpg=B"
            << QStringList{"1 files renamed.\n\n1 files were left as they are:\nx.jpg: \".jpg\" would begin "
                           "with \".\" and be hidden"}
            << "" << QStringList{};
        QTest::newRow("batch, read-only")
            << "a.jpg=A" << "batch sequence n_" << "read-only" << "a.jpg=A"
            << QStringList{"0 files renamed.\n\n1 files were left as they are:\na.jpg: Permission denied"} << ""
            << QStringList{};
    }
    void steps_keep_every_version()
    {
        QFETCH(QString, files);
        QFETCH(QString, steps);
        QFETCH(QString, fault);
        QFETCH(QString, after);
        QFETCH(QStringList, messages);
        QFETCH(QString, kept);
        QFETCH(QStringList, trash);
        if (!fault.isEmpty() && fault != QLatin1String("full") && !test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        bytes.insert(QStringLiteral("L"), QString(at(QStringLiteral("x.jpg")) + QStringLiteral("|0\r\n")).repeated(40).toUtf8()
                                              + at(QStringLiteral("gone.jpg")).toUtf8());
        for (auto [name, label] : labelled(files).asKeyValueRange())
            test::write_file(at(name), bytes_of(label));
        test::FakeWindows windows;
        test::ScriptedPrompt prompt;
        const QStringList list = steps.split(QLatin1Char(';'));
        int saves = 0;
        for (int i = 0; i < list.size(); ++i) {
            if (i < list.size() - 1 || fault.isEmpty()) {
                run(list[i], prompt, saves);
            } else if (fault == QLatin1String("full")) {
                test::FileSizeLimit full(1000);
                run(list[i], prompt, saves);
            } else if (fault == QLatin1String("no Trash")) {
                const QString data = qEnvironmentVariable("XDG_DATA_HOME");
                test::set_read_only(data, true);
                run(list[i], prompt, saves);
                test::set_read_only(data, false);
            } else {
                set_read_only(true);
                run(list[i], prompt, saves);
                set_read_only(false);
            }
        }

        QMap<QString, QString> found;
        for (auto [name, content] : test::folder_contents(user).asKeyValueRange())
            found.insert(name, label_of(content));
        QCOMPARE(found, labelled(after));
        QStringList notices; // the questions are the steps' own
        for (const MessageRequest &m : prompt.messages)
            if (m.buttons == Buttons::Ok)
                notices << QString(m.text).replace(user, QStringLiteral("@"));
        QCOMPARE(notices, messages);
        const QStringList in_tmp = labels_under(tmp);
        for (const QString &label : kept.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(in_tmp.contains(label), qPrintable(label + QStringLiteral(" is not kept")));
        QCOMPARE(trashed(), trash);
    }

    // Names a list cannot give back (not UTF-8, a line break) are left out
    // alike everywhere, and counted for the user.
    void names_a_list_cannot_carry_are_left_out_alike_data()
    {
        QTest::addColumn<QString>("lister");
        QTest::newRow("search") << "search";
        QTest::newRow("slide show") << "slide show";
        QTest::newRow("thumbnails") << "thumbnails";
    }
    void names_a_list_cannot_carry_are_left_out_alike()
    {
        QFETCH(QString, lister);
        test::FakeWindows windows;
        test::ScriptedPrompt prompt;
        test::write_file(at(QStringLiteral("good.jpg")));
        test::write_file(at(QStringLiteral("two\nlines.jpg")));
        const QByteArray raw = QFile::encodeName(user) + "/caf\xe9.jpg";
        ::close(::open(raw.constData(), O_CREAT | O_WRONLY, 0644));
        QStringList listed;
        int skipped = 0;
        if (lister == QLatin1String("search")) {
            PictureSearch search(user, SearchFields{});
            search.step(0);
            listed = search.found();
            skipped = search.skipped();
        } else if (lister == QLatin1String("slide show")) {
            build_slide_show(user, true);
            for (int i = 1; i <= slides().slide_count; ++i)
                listed << slides().slot(i).path;
        } else {
            collect_folder_pictures(user, PictureOrder{});
            listed = thumbnails().picture_list;
        }
        QCOMPARE(listed, QStringList{at(QStringLiteral("good.jpg"))});
        if (skipped == 0)
            QCOMPARE(prompt.message_texts().value(0), unstorable_names_message(2));
        else
            QCOMPARE(skipped, 2);
    }

    // Every path that comes in is made absolute: a start argument, the lines
    // of a slide show or thumbnail file (against that file's own folder),
    // whatever folder the program was started from.
    void relative_paths_become_absolute()
    {
        test::ScriptedPrompt prompt;
        // a.jpg is opened from the command line, which takes only real pictures.
        test::write_file(at(QStringLiteral("h/a.jpg")), test::jpeg_bytes());
        test::write_file(at(QStringLiteral("h/sub/b.jpg")), picture_bytes('B'));
        test::write_file(at(QStringLiteral("h/show.ssf")), "a.jpg|1\r\n*\\sub\\b.jpg\r\n./gone.jpg\r\n");
        test::write_file(at(QStringLiteral("h/t01.tnf")), "sub/b.jpg\r\n");
        const QString started_in = QDir::currentPath();
        QDir::setCurrent(user + QStringLiteral("/h/sub"));
        QCOMPARE(checked_start_argument(QStringLiteral("\"../a.jpg\"")), at(QStringLiteral("h/a.jpg")));
        QDir::setCurrent(user);
        const QString show = checked_start_argument(QStringLiteral("h//show.ssf"));
        QDir::setCurrent(started_in);
        QCOMPARE(show, at(QStringLiteral("h/show.ssf")));
        QCOMPARE(read_thumbnail_file(show.left(show.size() - 8) + QStringLiteral("t01.tnf")),
                 QStringList{at(QStringLiteral("h/sub/b.jpg"))});

        // The main panel's typed field.
        QDir::setCurrent(user);
        prompt.texts = {QStringLiteral("c.jpg")};
        QCOMPARE(rename_last_picture(QStringLiteral(" h/sub/b.jpg")), at(QStringLiteral("h/sub/c.jpg")));
        QDir::setCurrent(started_in);
        QVERIFY(QFile::rename(at(QStringLiteral("h/sub/c.jpg")), at(QStringLiteral("h/sub/b.jpg"))));

        prompt.answers = {Answer::Ok, Answer::No};
        QCOMPARE(read_slide_list(show), ReadOutcome::Loaded);
        QCOMPARE(prompt.message_texts().value(0),
                 QStringLiteral("Path ") + at(QStringLiteral("h/gone.jpg"))
                     + QStringLiteral(" not found. Do you want to remove it from slide show file?"));
        QCOMPARE(test::read_bytes(show), (at(QStringLiteral("h/a.jpg")) + QStringLiteral("|1\r\n")
                                          + at(QStringLiteral("h/sub/b.jpg")) + QStringLiteral("|0\r\n"))
                                             .toUtf8());
    }
};

QTEST_GUILESS_MAIN(tst_file_safety)
#include "tst_file_safety.moc"
