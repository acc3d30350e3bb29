// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "save_host.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"
#include "tools/file_association.h"
#include "tools/file_name_tools.h"
#include "viewer/cDIBSection.h"
#include "viewer/jpeg_saving.h"

#include <QDir>
#include <QDirIterator>
#include <QUrl>
#include <QtTest>

#include <optional>

using namespace lf;

// Every operation that writes, replaces, renames or deletes a user's file,
// as steps on a folder of labelled files. A label names bytes: a letter a
// picture, S1, S2... the JPEGs the saves wrote, L a slide show listing x.jpg
// and a missing picture, M an association list, @name a link; "!" after a
// label: readable by the owner alone.
namespace {

using Host = test::RecordingSaveHost;

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

    QString at(const QString &name) const { return user + QLatin1Char('/') + name; }
    QString label_of(const QString &path) const
    {
        const QFileInfo fi(path);
        if (fi.isSymLink())
            return QLatin1Char('@') + QFileInfo(fi.symLinkTarget()).fileName();
        const QString l = bytes.key(test::read_bytes(path));
        const bool private_file = path.startsWith(user) && !(fi.permissions() & QFileDevice::ReadOther);
        return (l.isEmpty() ? QStringLiteral("?%1").arg(fi.size()) : l) + (private_file ? "!" : "");
    }
    QMap<QString, QString> labels_under(const QString &folder) const
    {
        QMap<QString, QString> out;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            out.insert(QDir(folder).relativeFilePath(p), label_of(p));
        }
        return out;
    }
    void write_files(const QString &files)
    {
        for (auto [name, label] : labelled(files).asKeyValueRange()) {
            if (label.startsWith(QLatin1Char('@'))) {
                QFile::link(at(label.mid(1)), at(name));
                continue;
            }
            const QString l = label.chopped(label.endsWith(QLatin1Char('!'))); // "!": for the owner alone
            if (l.size() == 1 && !bytes.contains(l))
                bytes.insert(l, "\xFF\xD8" + QByteArray(4996, l[0].toLatin1()) + "\xFF\xD9");
            test::write_file(at(name), bytes.value(l));
            if (l != label)
                QFile::setPermissions(at(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }

    void run(const QString &step, test::ScriptedPrompt &prompt, int &saves)
    {
        const QStringList w = step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (w[0] == QLatin1String("save")) {
            Host host;
            cDIBSection dib;
            QImage img(16, 16, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(40 * ++saves, 255, 255));
            dib.CreateFromPicture(img);
            prompt.answers.push_back(Answer::Yes);
            save_and_decide(host, at(w[1]), at(w[2]), 80, dib, false);
            bytes.insert(QStringLiteral("S%1").arg(saves), host.preview);
        } else if (w[0] == QLatin1String("restore")) {
            restore_picture(at(w[1]));
        } else if (w[0] == QLatin1String("delete")) {
            delete_with_backup(at(w[1]));
        } else if (w[0] == QLatin1String("copy")) {
            prompt.texts.push_back(at(w[2]));
            copy_file_as(at(w[1]), user);
        } else if (w[0] == QLatin1String("rename")) {
            prompt.texts.push_back(w[2]);
            ask_and_rename(at(w[1]), QStringLiteral("Renaming last file"));
        } else if (w[0] == QLatin1String("ssf")) {
            for (slides().slide_count = 0; slides().slide_count < 40;)
                slides().slot(++slides().slide_count).path = at(QStringLiteral("x.jpg"));
            save_slide_show_file(at(w[1]));
        } else if (w[0] == QLatin1String("ssf-read")) {
            prompt.answers.insert(prompt.answers.end(), {Answer::Ok, Answer::Yes});
            read_slide_list(at(w[1]));
        } else if (w[0] == QLatin1String("tnf")) {
            thumbnails().picture_list = QStringList(40, at(QStringLiteral("x.jpg")));
            write_thumbnail_files(user, folder_thumbnail_prefix);
        } else if (w[0] == QLatin1String("batch")) {
            const RenameKind kind = w[1] == QLatin1String("remove") ? RenameKind::RemoveString
                                                                    : RenameKind::SequenceNumbers;
            notify(rename_report(rename_files(user, kind, w[2])));
        } else if (w[0] == QLatin1String("associate")) {
            const QByteArray config = qgetenv("XDG_CONFIG_HOME");
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(user));
            prompt.answers.insert(prompt.answers.end(), {Answer::Yes, Answer::Ok});
            offer_association(w[1]);
            qputenv("XDG_CONFIG_HOME", config);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
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
        bytes.insert("L", QString(at("x.jpg") + "|0\r\n").repeated(40).toUtf8() + at("gone.jpg").toUtf8());
        bytes.insert("M", "[Default Applications]\n" + QByteArray("application/x-other=other.desktop\n").repeated(100));
    }
    void cleanup()
    {
        for (const char *d : {"", "/a", "/b"})
            test::set_read_only(user + QLatin1String(d), false);
    }

    // After the steps (the last one meeting the fault) every file of the
    // folder has the bytes named, each notice is as shown ("@" the folder),
    // tmp_pic keeps the versions named and the Trash has what came from where.
    void steps_keep_every_version_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("fault"); // "", "full" (a file-size limit), "read-only", "no Trash"
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QStringList>("in_trash");
            const QStringList efbig{QStringLiteral("Error 27 - File too large")};
        const QStringList eacces{QStringLiteral("Error 13 - Permission denied")};
        const QStringList none;
        const QString left = QStringLiteral(" files renamed.\n\n1 files were left as they are:\n");

        // Whose backup is whose: a picture's full path.
        QTest::newRow("same name in two folders") << "a/x.jpg=A b/x.jpg=B"
            << "save a/x.jpg a/x.jpg; save b/x.jpg b/x.jpg; restore a/x.jpg" << "" << "a/x.jpg=A b/x.jpg=S2" << none << "A B S1" << none;
        QTest::newRow("saved twice, the first version stays") << "x.jpg=A!" << "save x.jpg x.jpg; save x.jpg x.jpg; restore x.jpg"
            << "" << "x.jpg=S1!" << none << "A S2" << none;
        QTest::newRow("deleted twice under one path") << "a/x.jpg=A b/x.jpg=B c.jpg=C"
            << "delete a/x.jpg; delete b/x.jpg; copy c.jpg a/x.jpg; delete a/x.jpg" << "" << "c.jpg=C" << none << "A B C"
            << QStringList{"a/x.jpg=A", "a/x.jpg=C", "b/x.jpg=B"};
        QTest::newRow("copy beside a .part of the user's") << "x.jpg=A c.jpg.part=P" << "copy x.jpg c.jpg; copy x.jpg d" << ""
            << "x.jpg=A c.jpg=A c.jpg.part=P d.jpg=A" << none << "" << none;
        QTest::newRow("saved through a link, copied onto a dangling one") << "x.jpg=@r.jpg r.jpg=A y.jpg=@gone.jpg"
            << "copy r.jpg y.jpg; save x.jpg x.jpg" << "" << "r.jpg=S1 x.jpg=@r.jpg y.jpg=A" << none << "A" << none;
        QTest::newRow("renamed onto a dangling link") << "x.jpg=A y.jpg=@gone.jpg" << "rename x.jpg y.jpg" << ""
            << "x.jpg=A y.jpg=@gone.jpg" << QStringList{"Error 17 - File exists"} << "" << none;
        // Batch names: none hidden, none a twin of another in letter case.
        QTest::newRow("sequence number taken in other case") << "trip0001.JPG=A b.jpg=B" << "batch sequence trip" << ""
            << "b.jpg=B trip0001.JPG=A" << QStringList{"0" + left + "b.jpg: \"trip0001.jpg\" already exists"} << "" << none;
        QTest::newRow("removal leaving a leading dot") << "x.jpg=A xy.jpg=B" << "batch remove x" << "" << "x.jpg=A y.jpg=B"
            << QStringList{"1" + left + "x.jpg: \".jpg\" would begin with \".\" and be hidden"} << "" << none;

        // Faults: the user's files stay byte for byte, the notice says why.
        QTest::newRow("save over, full") << "x.jpg=A" << "save x.jpg x.jpg" << "full" << "x.jpg=A" << efbig << "" << none;
        QTest::newRow("save over, read-only") << "x.jpg=A" << "save x.jpg x.jpg" << "read-only" << "x.jpg=A" << eacces << "A"
                                              << none;
        QTest::newRow("restore, full") << "x.jpg=A" << "save x.jpg x.jpg; restore x.jpg" << "full" << "x.jpg=S1" << efbig
                                       << "A" << none;
        QTest::newRow("delete, full") << "x.jpg=A" << "delete x.jpg" << "full" << "x.jpg=A" << efbig << "" << none;
        QTest::newRow("delete, no Trash can take it") << "x.jpg=A" << "delete x.jpg" << "no Trash" << "" << none << "A" << none;
        QTest::newRow("copy over, full") << "x.jpg=A c.jpg=C" << "copy x.jpg c.jpg" << "full" << "x.jpg=A c.jpg=C" << efbig
                                         << "" << none;
        QTest::newRow("slide show saved, full") << "x.jpg=A s.ssf=L" << "ssf s.ssf" << "full" << "s.ssf=L x.jpg=A" << efbig
                                                << "" << none;
        QTest::newRow("slide show rewritten, read-only") << "x.jpg=A s.ssf=L" << "ssf-read s.ssf" << "read-only"
                                                         << "s.ssf=L x.jpg=A" << eacces << "" << none;
        QTest::newRow("thumbnail file, full") << "x.jpg=A" << "tnf" << "full" << "x.jpg=A" << efbig << "" << none;
        QTest::newRow("batch, read-only") << "a.jpg=A" << "batch sequence n_" << "read-only" << "a.jpg=A"
                                          << QStringList{"0" + left + "a.jpg: Permission denied"} << "" << none;
        QTest::newRow("association, full") << "mimeapps.list=M" << "associate jpg" << "full" << "mimeapps.list=M"
            << QStringList{"This program could not be associated with 'jpg' files: @/mimeapps.list could not be written. "
                           "The other associations were left as they were."} << "" << none;
    }
    void steps_keep_every_version()
    {
        QFETCH(QString, files);
        QFETCH(QString, steps);
        QFETCH(QString, fault);
        QFETCH(QString, after);
        QFETCH(QStringList, messages);
        QFETCH(QString, kept);
        QFETCH(QStringList, in_trash);
        if (!fault.isEmpty() && fault != QLatin1String("full") && !test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        write_files(files);
        test::FakeWindows windows;
        test::ScriptedPrompt prompt;
        const QStringList list = steps.split(QLatin1Char(';'));
        int saves = 0;
        for (const QString &step : list.first(list.size() - 1))
            run(step, prompt, saves);
        const QStringList locked = fault == QLatin1String("no Trash") ? QStringList{qEnvironmentVariable("XDG_DATA_HOME")}
                                 : fault == QLatin1String("read-only") ? QStringList{user, at("a"), at("b")} : QStringList{};
        for (const QString &d : locked)
            test::set_read_only(d, true);
        {
            std::optional<test::FileSizeLimit> full;
            if (fault == QLatin1String("full"))
                full.emplace(1000);
            run(list.last(), prompt, saves);
        }
        for (const QString &d : locked)
            test::set_read_only(d, false);

        QCOMPARE(labels_under(user), labelled(after));
        QStringList notices; // the questions are the steps' own
        for (const MessageRequest &m : prompt.messages)
            if (m.buttons == Buttons::Ok)
                notices << QString(m.text).replace(user, QStringLiteral("@"));
        QCOMPARE(notices, messages);
        const QList<QString> in_tmp = labels_under(tmp).values();
        for (const QString &label : kept.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(in_tmp.contains(label), qPrintable(label + QStringLiteral(" is not kept")));
        QStringList trashed; // "where it came from=label"
        for (auto [name, label] : labels_under(trash + QStringLiteral("/files")).asKeyValueRange()) {
            const QByteArray info = test::read_bytes(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
            const QByteArray from = info.mid(info.indexOf("\nPath=") + 6).split('\n').value(0);
            trashed << QDir(user).relativeFilePath(QUrl::fromPercentEncoding(from)) + QLatin1Char('=') + label;
        }
        trashed.sort();
        QCOMPARE(trashed, in_trash);
    }

};

QTEST_GUILESS_MAIN(tst_file_safety)
#include "tst_file_safety.moc"
