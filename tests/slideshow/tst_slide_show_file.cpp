// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/paths.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "panel/panel_state.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/slide_sort.h"
#include "fault_injection.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <optional>

using namespace lf;

namespace {
QStringList lines_of(const QString &file) { return QString::fromUtf8(test::read_bytes(file)).split('\n', Qt::SkipEmptyParts); }
QStringList slide_paths()
{
    QStringList out;
    for (int i = 1; i <= slides().slide_count; ++i)
        out << slides().slot(i).path;
    return out;
}
} // namespace

// Show files read, written, and built from a folder.
class tst_slide_show_file : public QObject {
    Q_OBJECT
    QString dir, a, b, c;
    std::optional<test::FakeWindows> w;
    std::optional<test::ScriptedPrompt> p;

    QString ssf(const QByteArray &text) { test::write_file(dir + "/show.ssf", text); return dir + "/show.ssf"; }
    QString built() const { return app().tmp_pic_dir + "/_slideshow.ssf"; }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("ssf"));
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        a = dir + "/a.jpg", b = dir + "/sub/b.jpg", c = dir + "/c|d.jpg";
        for (const QString &f : {a, b, c})
            test::write_file(f);
        w.emplace(), p.emplace();
    }
    void flags_only_in_second_last_place()
    {
        const QByteArray text = (a + "|1\r\n" + b + "|x\r\n\r\n" + c + "\r\n").toUtf8();
        const QString path = slides().slide_show_file = ssf(text);
        read_slide_show_file();
        QCOMPARE(w->calls, QStringList{"open_slide_show_window"});
        const SlideList &s = slides();
        QCOMPARE(slide_paths(), (QStringList{a, b, c})); // a bar inside a name is part of it
        QVERIFY(s.slot(1).seen && !s.slot(2).seen);
        QCOMPARE(s.current_slide, 1); // first unseen is 2, shown after 1
        QVERIFY(p->messages.isEmpty());
        QCOMPARE(test::read_bytes(path), text); // nothing dropped: not rewritten
    }

    // Headers anywhere, names in any case, between a bare relative name and
    // a "*\" one, lines ended by LF and CR. Before: interval 700, resume 3.
    void header_values_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("random_before");
        QTest::addColumn<QString>("after"); // random interval resume auto
        QTest::newRow("any case, spaces") << QByteArray("*Random/Sequential=  RANDOM ") << false << "1 700 0 0";
        QTest::newRow("sequential keeps random") << QByteArray("*random/sequential=sequential") << true << "1 700 0 0";
        QTest::newRow("autom") << QByteArray("*AUTOM/manual= Autom") << false << "0 700 0 1";
        QTest::newRow("interval halves to even") << QByteArray("*INTERVAL=2.5") << false << "0 2 0 0";
        QTest::newRow("index past the list") << QByteArray("*index_of_last_slide_viewed=4") << false << "0 700 0 0";
        QTest::newRow("index 2.5 to even") << QByteArray("*index_of_last_slide_viewed=2.5") << false << "0 700 2 0";
    }
    void header_values()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, random_before);
        SlideList &s = slides();
        s.random_order = random_before, s.interval_ms = 700, s.resume_slide = 3;
        QCOMPARE(read_slide_list(ssf("a.jpg\n" + line + "\r*\\sub\\b.jpg|1\r" + c.toUtf8())), ReadOutcome::Loaded);
        QCOMPARE(slide_paths(), (QStringList{a, b, c}));
        QTEST(QStringLiteral("%1 %2 %3 %4").arg(int(s.random_order)).arg(s.interval_ms).arg(s.resume_slide)
                  .arg(int(s.auto_advance)), "after");
    }

    // Missing pictures: Cancel leaves the file as it was; Yes removes the
    // rest silently, No asks again for each; the file is rewritten.
    void missing_pictures_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<int>("questions");
        QTest::newRow("cancel") << QList<Answer>{Answer::Cancel} << 1;
        QTest::newRow("ok, yes") << QList<Answer>{Answer::Ok, Answer::Yes} << 2;
        QTest::newRow("ok, no, ok") << QList<Answer>{Answer::Ok, Answer::No, Answer::Ok} << 3;
    }
    void missing_pictures()
    {
        QFETCH(QList<Answer>, answers);
        p->answers = {answers.begin(), answers.end()};
        // Missing, though the name before the NUL exists (past the first 8 KiB,
        // where a NUL does not make the file binary).
        const QString x = QString("\r\n").repeated(4100) + a + QChar(0) + "x.jpg";
        const QByteArray text = (a + "|1\r\n" + x + "|1\r\n" + b + "|0\r\n" + dir + "/y.jpg\r\n*interval=5\r\n").toUtf8();
        const QString path = ssf(text);
        const bool cancel = answers[0] == Answer::Cancel;
        QCOMPARE(read_slide_list(path), cancel ? ReadOutcome::Cancelled : ReadOutcome::Loaded);
        QTEST(int(p->messages.size()), "questions");
        QCOMPARE(p->messages[0].text, "Path " + x.mid(8200) + " not found. Do you want to remove it from slide show file?");
        QCOMPARE(p->messages[0].buttons, Buttons::OkCancel);
        QCOMPARE(slides().slide_count, cancel ? 0 : 2);
        QCOMPARE(test::read_bytes(path), cancel ? text : (a + "|1\r\n" + b + "|0\r\n").toUtf8()); // no headers
        QCOMPARE(QDir(dir).entryList({"*.ssf*"}), QStringList{file_name_of(path)}); // no work file left
        if (cancel)
            return;
        QCOMPARE(p->messages[1].text, "Do you want to remove from slide show file any other pictures not found?");
        QCOMPARE(p->messages[1].buttons, Buttons::YesNo);
        QCOMPARE(slides().seen_count, 1); // the dropped seen picture does not count
    }

    // Refused files are left as they were and the panel comes back.
    void bad_files_refuse_without_damage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "Not a valid slide show file";
        QTest::newRow("missing") << QByteArray() << "errore 53";
        QTest::newRow("10,001 pictures") << QByteArray("%a|0\n").repeated(10001) + "%gone.jpg\n"
                                         << "errore 9 - Subscript out of range";
    }
    void bad_files_refuse_without_damage()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        text.replace("%a", a.toUtf8()).replace("%gone", QByteArray(dir.toUtf8() + "/gone"));
        slides().slide_show_file = text.isEmpty() ? dir + QStringLiteral("/none.ssf") : ssf(text);
        read_slide_show_file();
        QCOMPARE(p->messages.size(), 1);
        QVERIFY2(p->messages[0].text.startsWith(message), qPrintable(p->messages[0].text));
        QCOMPARE(w->calls, QStringList{QStringLiteral("show_main_panel")});
        QCOMPARE(test::read_bytes(slides().slide_show_file), text);
        QCOMPARE(slides().slide_count, 0);
    }

    // Its own file is written (whole, deleted entries left out) without a
    // question; a built show asks, then saves where chosen (a bare name gets
    // its extension), which becomes the show's.
    void end_slide_show_data()
    {
        QTest::addColumn<bool>("own");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("own file") << true << Answer::Cancel;
        QTest::newRow("built show, cancel") << false << Answer::Cancel;
        QTest::newRow("built show, ok") << false << Answer::Ok;
    }
    void end_slide_show()
    {
        QFETCH(bool, own);
        QFETCH(Answer, answer);
        const bool saved_as = !own && answer == Answer::Ok;
        p->answers = {answer};
        p->texts = {dir + QStringLiteral("/other")};
        SlideList &s = slides();
        s.slide_count = 3; // the third deleted during the show
        s.slot(1).path = a, s.slot(2).path = b, s.current_slide = 2, s.interval_ms = 3000;
        s.slide_show_active = s.slot(1).seen = s.random_order = true, s.own_file = own;
        s.slide_show_file = dir + QStringLiteral("/show.ssf");
        test::write_file(s.slide_show_file, QByteArray(500, 'o'));
        lf::end_slide_show(a);
        QCOMPARE(s.resume_slide, 2);
        QVERIFY(!s.slide_show_active);
        QCOMPARE(p->message_texts(), own ? QStringList{} : QStringList{"Do you want to save the slide show file?"});
        if (!own)
            QVERIFY(p->messages[0].buttons == Buttons::OkCancel && p->messages[0].icon == Icon::Question);
        QCOMPARE(p->files.size(), saved_as ? 1 : 0);
        if (saved_as) {
            QVERIFY(p->files[0].kind == FileRequest::Save);
            QCOMPARE(p->files[0].start + " | " + p->files[0].filter, dir + "/_slide_show.ssf | Slide show file (*.ssf)");
            QCOMPARE(s.slide_show_file, dir + QStringLiteral("/other.ssf"));
            QCOMPARE(get_setting(key::last_slide_show), s.slide_show_file);
        }
        QCOMPARE(test::read_bytes(s.slide_show_file), own || saved_as ? (a + "|1\r\n" + b + "|0\r\n*index_of_last_slide_viewed=2\r\n"
                                                                  "*random/sequential=random\r\n*autom/manual=manual\r\n"
                                                                  "*interval=3000\r\n*comments_visible=YES\r\n").toUtf8()
                                                            : QByteArray(500, 'o'));
    }

    // Building: Yes scans the tree (dotted folders and hidden files too), No
    // lists the folder alone, Cancel builds nothing; names as on disk, any
    // case of extension.
    void the_subfolder_question_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("yes") << Answer::Yes << QStringList{"/.hidden.jpg", "/Photo.JPG", "/sub/a.GIF", "/sub/x.old/c.bmp"};
        QTest::newRow("no") << Answer::No << QStringList{"/Photo.JPG"};
        QTest::newRow("cancel") << Answer::Cancel << QStringList{};
    }
    void the_subfolder_question()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, expected);
        p->answers = {answer};
        const QString root = test::fresh_folder("pics");
        for (const char *f : {"/Photo.JPG", "/.hidden.jpg", "/notes.txt", "/sub/a.GIF", "/sub/x.old/c.bmp", "/sub/readme.txt"})
            test::write_file(root + f);
        build_slide_show(root, false);
        QCOMPARE(p->message_texts(), QStringList{"Do you want to include files in subfolders?"});
        QCOMPARE(p->messages[0].buttons, Buttons::YesNoCancel);
        for (QString &e : expected)
            e.prepend(root);
        QCOMPARE(slide_paths(), expected);
        QCOMPARE(lines_of(built()), expected);
        QCOMPARE(w->calls.contains("open_slide_show_window"), !expected.isEmpty());
        if (answer != Answer::Yes)
            return;
        QCOMPARE(get_setting(key::last_slide_show_dir), root);
        QCOMPARE(get_setting(key::last_slide_show), built());
        QVERIFY(w->calls.contains("please_wait Scanning folders, this may take some time...\r\n"
                                 "(click Cancel to stop scanning)"));
    }

    // The folder dialog starts at the last folder. No question for a dotted
    // subfolder alone, nor when only building; oldest first by time. No
    // pictures: nothing is written, and an empty show file there builds none.
    void builds_without_asking()
    {
        const QString root = test::fresh_folder("pics");
        for (const char *f : {"/one.jpg", "/pics.old/two.jpg", "/z.jpg"})
            test::write_file(root + f);
        QFile z(root + "/z.jpg");
        QVERIFY(z.open(QIODevice::ReadWrite)
                && z.setFileTime(QDateTime::fromSecsSinceEpoch(1'600'000'000), QFileDevice::FileModificationTime));
        panel_state().sort_by_datetime = true;
        save_setting(key::last_slide_show_dir, root);
        p->texts = {QString(), root}; // Cancel, then the folder
        build_slide_show(QString(), false);
        QVERIFY(w->calls.isEmpty());
        build_slide_show(QString(), false);
        QCOMPARE(p->folders[1].start, root);
        const QStringList oldest_first{root + "/z.jpg", root + "/one.jpg"};
        QCOMPARE(slide_paths(), oldest_first);
        QVERIFY(w->calls.contains("open_slide_show_window"));
        w->calls.clear();
        test::write_file(root + "/sub/three.jpg");
        build_slide_show(root, true);
        QVERIFY(p->messages.isEmpty() && !w->calls.contains("open_slide_show_window"));
        QCOMPARE(lines_of(built()), oldest_first);

        const QString none = test::fresh_folder("none");
        test::write_file(none + "/empty.ssf", "");
        build_slide_show(none, false);
        slides().slide_show_file = none + "/empty.ssf";
        read_slide_show_file();
        QCOMPARE(p->message_texts(), (QStringList(2, "No pictures found in selected directory.")));
        QCOMPARE(lines_of(built()), oldest_first);
        QVERIFY(!w->calls.contains("open_slide_show_window"));
    }

    // By path: folder first, case ignored; by time: ties keep the listing
    // order; descending reverses. Each time stays with its path.
    void sort()
    {
        auto sorted = [](const QStringList &names, const QList<qint64> &times, bool desc) {
            std::vector<SortEntry> v;
            for (int i = 0; i < names.size(); ++i)
                v.push_back(SortEntry{names[i], times.value(i)});
            QStringList got;
            if (sort_entries(v, !times.isEmpty(), desc))
                for (const SortEntry &e : v)
                    got << e.path + (times.isEmpty() ? QString() : QStringLiteral("@%1").arg(e.time_ms));
            return got;
        };
        const QStringList tree{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"};
        QCOMPARE(sorted(tree, {}, false), (QStringList{"/p/A/b.jpg", "/p/a/m.jpg", "/p/A/z.jpg", "/p/B/a.jpg"}));
        QCOMPARE(sorted(tree, {}, true), (QStringList{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"}));
        QCOMPARE(sorted({"first", "second", "third", "fourth"}, {5, 1, 5, 1}, false),
                 (QStringList{"second@1", "fourth@1", "first@5", "third@5"}));
    }

    // 10,001 pictures: the tree scan and the folder alone stop at 10,000 and say so.
    void ten_thousand_limit_loops_and_odd_names()
    {
        const QString root = test::fresh_folder("pics");
        for (int i = 0; i <= 10000; ++i)
            QVERIFY(QFile(root + QString("/p%1.jpg").arg(i, 5, 10, QLatin1Char('0'))).open(QIODevice::WriteOnly));
        test::write_file(root + "/sub/zz_last.jpg");
        for (Answer tree : {Answer::Yes, Answer::No}) {
            p->answers = {tree};
            build_slide_show(root, false);
            QCOMPARE(slides().slide_count, 10000);
            QCOMPARE(lines_of(built()).size(), 10000);
            QCOMPARE(p->message_texts().count("Too many files, only the first 10,000 will be shown."), tree == Answer::Yes ? 1 : 2);
        }
        QCOMPARE(folder_in_show_order(root, false, false).size(), 10000); // as the viewer steps
        // Link loops and names that are no text are passed by; a link to a picture counts.
        const QString odd = test::fresh_folder("odd");
        for (const char *f : {"/line\nbreak.jpg", "/deep/x.jpg"})
            test::write_file(odd + f);
        FILE *f = std::fopen(QByteArray(QFile::encodeName(odd) + "/bad\xff.jpg").constData(), "w");
        QVERIFY(f && std::fclose(f) == 0);
        QVERIFY(QFile::link(odd, odd + "/deep/loop") && QFile::link(odd + "/deep/x.jpg", odd + "/linked.jpg"));
        const QString list = app().tmp_pic_dir + "/dirscan.tmp";
        QCOMPARE(scan_folder_tree(odd, list), ScanEnd::Finished);
        QStringList found = lines_of(list);
        found.sort();
        QCOMPARE(found, (QStringList{odd + "/deep/x.jpg", odd + "/linked.jpg"}));
    }

};

QTEST_GUILESS_MAIN(tst_slide_show_file)
#include "tst_slide_show_file.moc"
