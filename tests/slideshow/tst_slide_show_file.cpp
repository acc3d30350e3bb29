// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/paths.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace lf;

namespace {
QByteArray read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_slide_show_file : public QObject {
    Q_OBJECT
    QString dir;
    QString a, b, c;

    QString ssf(const QByteArray &text)
    {
        const QString p = dir + QStringLiteral("/show.ssf");
        test::write_file(p, text);
        return p;
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("ssf"));
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        a = dir + QStringLiteral("/a.jpg");
        b = dir + QStringLiteral("/sub/b.jpg");
        c = dir + QStringLiteral("/c|d.jpg");
        test::write_file(a);
        test::write_file(b);
        test::write_file(c);
    }

    void flags_only_in_second_last_place()
    {
        test::ScriptedPrompt p;
        const QString path = ssf((a + "|1\r\n" + b + "|x\r\n" + c + "\r\n").toUtf8());
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        const SlideList &s = slides();
        QCOMPARE(s.slide_count, 3);
        QCOMPARE(s.slot(1).path, a);
        QVERIFY(s.slot(1).seen);
        QCOMPARE(s.slot(2).path, b);
        QVERIFY(!s.slot(2).seen);
        QCOMPARE(s.slot(3).path, c); // a bar inside the name is part of the path
        QCOMPARE(s.seen_count, 1);
        QCOMPARE(s.current_slide, 1); // first unseen is 2, shown after 1
        QVERIFY(p.messages.isEmpty());
        QVERIFY(s.slot(1).time.isValid());
    }

    void relative_lines_and_line_ends_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("slash, CRLF") << QByteArray("*/a.jpg\r\n*/sub/b.jpg|1\r\n");
        QTest::newRow("backslash, LF") << QByteArray("*\\a.jpg\n*\\sub\\b.jpg|1\n");
        QTest::newRow("CR only, no last end") << QByteArray("*/a.jpg\r*/sub/b.jpg|1");
    }
    void relative_lines_and_line_ends()
    {
        QFETCH(QByteArray, text);
        test::ScriptedPrompt p;
        QCOMPARE(read_slide_list(ssf(text)), ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, 2);
        QCOMPARE(slides().slot(1).path, a);
        QCOMPARE(slides().slot(2).path, b);
        QVERIFY(slides().slot(2).seen);
        QVERIFY(p.messages.isEmpty());
    }

    void headers_in_any_place_and_case()
    {
        test::ScriptedPrompt p;
        slides().interval_ms = 100;
        const QString path = ssf(("*INTERVAL=2500\r\n" + a + "|0\r\n*Random/Sequential=  RANDOM \r\n"
                                  + b + "|0\r\n*autom/manual= Autom\r\n*index_of_last_slide_viewed=1.5\r\n"
                                  "*comments_visible=no\r\n*something=else\r\n")
                                     .toUtf8());
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        const SlideList &s = slides();
        QCOMPARE(s.slide_count, 2);
        QCOMPARE(s.interval_ms, 2500);
        QVERIFY(s.random_order);
        QVERIFY(s.auto_advance);
        QCOMPARE(s.resume_slide, 2); // 1.5 goes to the even number
        QVERIFY(!s.comments_visible);
    }

    void header_values_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<bool>("random_before");
        QTest::addColumn<bool>("random_after");
        QTest::addColumn<int>("interval_after");
        QTest::addColumn<int>("resume_after");
        QTest::newRow("sequential keeps random on") << QByteArray("*random/sequential=sequential") << true << true << 700 << 0;
        QTest::newRow("sequential leaves off") << QByteArray("*random/sequential=sequential") << false << false << 700 << 0;
        QTest::newRow("junk interval") << QByteArray("*interval=abc") << false << false << 700 << 0;
        QTest::newRow("interval halves to even") << QByteArray("*interval=2.5") << false << false << 2 << 0;
        QTest::newRow("interval 3.5") << QByteArray("*interval=3.5") << false << false << 4 << 0;
        QTest::newRow("negative interval") << QByteArray("*interval=-5") << false << false << 700 << 0;
        QTest::newRow("index past the list") << QByteArray("*index_of_last_slide_viewed=99999") << false << false << 700 << 0;
        QTest::newRow("index 0") << QByteArray("*index_of_last_slide_viewed=0") << false << false << 700 << 0;
        QTest::newRow("index 2.5") << QByteArray("*index_of_last_slide_viewed=2.5") << false << false << 700 << 2;
        QTest::newRow("index letters") << QByteArray("*index_of_last_slide_viewed=x2") << false << false << 700 << 0;
    }
    void header_values()
    {
        QFETCH(QByteArray, lines);
        QFETCH(bool, random_before);
        slides().random_order = random_before;
        slides().interval_ms = 700;
        slides().resume_slide = 3; // left from an earlier show
        test::ScriptedPrompt p;
        QCOMPARE(read_slide_list(ssf((a + "\n" + b + "\n" + c + "\n").toUtf8() + lines + "\n")),
                 ReadOutcome::Loaded);
        QTEST(slides().random_order, "random_after");
        QTEST(slides().interval_ms, "interval_after");
        QTEST(slides().resume_slide, "resume_after");
    }

    void cancel_leaves_the_file_untouched()
    {
        test::ScriptedPrompt p;
        p.answers = {Answer::Cancel};
        const QByteArray text = (a + "|1\r\n" + dir + "/gone.jpg|0\r\n" + b + "\r\n").toUtf8();
        const QString path = ssf(text);
        QCOMPARE(read_slide_list(path), ReadOutcome::Cancelled);
        QCOMPARE(slides().slide_count, 0);
        QCOMPARE(p.message_texts(),
                 QStringList{QStringLiteral("Path ") + dir
                             + QStringLiteral("/gone.jpg not found. Do you want to remove it from slide show file?")});
        QCOMPARE(p.messages[0].buttons, Buttons::OkCancel);
        QCOMPARE(read_all(path), text);
    }

    void missing_pictures_questions_data()
    {
        QTest::addColumn<Answer>("second_answer");
        QTest::addColumn<int>("questions");
        QTest::newRow("yes removes the rest silently") << Answer::Yes << 2;
        QTest::newRow("no asks again for each") << Answer::No << 3;
    }
    void missing_pictures_questions()
    {
        QFETCH(Answer, second_answer);
        QFETCH(int, questions);
        test::ScriptedPrompt p;
        p.answers = {Answer::Ok, second_answer, Answer::Ok};
        const QString path = ssf((a + "|1\r\n" + dir + "/x.jpg|1\r\n" + b + "|0\r\n" + dir
                                  + "/y.jpg\r\n*interval=5\r\n")
                                     .toUtf8());
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        QCOMPARE(p.messages.size(), questions);
        QCOMPARE(p.messages[1].text,
                 QStringLiteral("Do you want to remove from slide show file any other pictures not found?"));
        QCOMPARE(p.messages[1].buttons, Buttons::YesNo);
        if (questions == 3)
            QVERIFY(p.messages[2].text.contains(QStringLiteral("/y.jpg not found")));
        QCOMPARE(slides().slide_count, 2);
        QCOMPARE(slides().seen_count, 1); // the dropped seen picture does not count
        // Rewritten: the kept pictures with flags, no headers, no work file left.
        QCOMPARE(read_all(path), (a + "|1\r\n" + b + "|0\r\n").toUtf8());
        QCOMPARE(QDir(folder_of(path)).entryList({QStringLiteral("*.ssf*")}), QStringList{file_name_of(path)});
    }

    void unchanged_file_is_not_rewritten()
    {
        test::ScriptedPrompt p;
        const QByteArray text = (a + "\n\n" + b + "\n").toUtf8();
        const QString path = ssf(text);
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        QCOMPARE(read_all(path), text);
    }

    void bad_files_refuse_without_damage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << QStringLiteral("Not a valid slide show file");
    }
    void bad_files_refuse_without_damage()
    {
        QFETCH(QByteArray, text);
        test::ScriptedPrompt p;
        test::FakeWindows w;
        slides().slide_show_file = ssf(text);
        read_slide_show_file();
        QTEST(p.message_texts().value(0), "message");
        QCOMPARE(w.calls, QStringList{QStringLiteral("show_main_panel")});
        QCOMPARE(read_all(slides().slide_show_file), text);
    }

    void unreadable_file_returns_to_the_panel()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        slides().slide_show_file = dir + QStringLiteral("/none.ssf");
        read_slide_show_file();
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].text.startsWith(QStringLiteral("errore ")));
        QCOMPARE(w.calls, QStringList{QStringLiteral("show_main_panel")});
        QVERIFY(!w.ended);
    }

    void more_than_ten_thousand_pictures_refused()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        QByteArray text;
        for (int i = 0; i < max_slides + 1; ++i)
            text += a.toUtf8() + "|0\n";
        text += dir.toUtf8() + "/gone.jpg\n"; // would be rewritten if we went on
        slides().slide_show_file = ssf(text);
        read_slide_show_file();
        QCOMPARE(p.message_texts(), QStringList{QStringLiteral("errore 9 - Subscript out of range")});
        QCOMPARE(slides().slide_count, 0);
        QCOMPARE(read_all(slides().slide_show_file), text);
        QCOMPARE(w.calls, QStringList{QStringLiteral("show_main_panel")});
    }

    void exactly_ten_thousand_fit()
    {
        test::ScriptedPrompt p;
        QByteArray text;
        for (int i = 0; i < max_slides; ++i)
            text += a.toUtf8() + "\n";
        QCOMPARE(read_slide_list(ssf(text)), ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, max_slides);
        QCOMPARE(slides().slot(max_slides).path, a);
    }

    void long_and_foreign_lines_do_not_break_the_reader()
    {
        test::ScriptedPrompt p;
        p.answers = {Answer::Ok, Answer::Yes};
        const QString latin = dir + QStringLiteral("/caf\u00e9.jpg");
        test::write_file(latin);
        QByteArray text = QByteArray(100000, 'q') + "\r\n";
        text += dir.toUtf8() + "/caf\xe9.jpg|1\r\n"; // single-byte code page
        text += a.toUtf8() + "\r\n";
        const QString path = ssf(text);
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, 2);
        QCOMPARE(slides().slot(1).path, latin);
        QCOMPARE(p.messages.size(), 2);
    }

    void empty_file_builds_from_its_folder()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        const QString lone = test::fresh_folder(QStringLiteral("lone")) + QStringLiteral("/empty.ssf");
        test::write_file(lone, "");
        slides().slide_show_file = lone;
        read_slide_show_file();
        // The build over the file's folder finds nothing to show either.
        QCOMPARE(p.message_texts(), QStringList{no_pictures_message});
        QCOMPARE(w.calls.value(0), QStringLiteral("show_main_panel"));
        QVERIFY(!w.calls.contains(QStringLiteral("open_slide_show_window")));
        QVERIFY(!slides().slide_show_active);
    }

    void loaded_file_opens_the_window()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        slides().slide_show_file = ssf((a + "|1\n" + b + "|1\n").toUtf8());
        slides().history[3] = 7;
        slides().history_pos = 3;
        read_slide_show_file();
        QCOMPARE(w.calls, QStringList{QStringLiteral("open_slide_show_window")});
        QVERIFY(slides().slide_show_active);
        QCOMPARE(slides().current_slide, 0); // every picture seen
        QCOMPARE(slides().history_pos, 0);
        QCOMPARE(slides().history[3], 0);
    }

    void save_writes_flags_and_five_headers()
    {
        SlideList &s = slides();
        s.slide_count = 3;
        s.slot(1).path = a;
        s.slot(1).seen = true;
        s.slot(2).path.clear(); // deleted during the show
        s.slot(3).path = b;
        s.current_slide = 2;
        s.random_order = true;
        s.auto_advance = false;
        s.interval_ms = 3000;
        s.comments_visible = true;
        const QString out = dir + QStringLiteral("/out.ssf");
        test::write_file(out, "old content that is longer than the new one, much longer......................................................................................................................................................................................................................................................................................................................................................................................................................");
        QVERIFY(save_slide_show_file(out));
        QCOMPARE(read_all(out), (a + "|1\r\n" + b + "|0\r\n"
                                 "*index_of_last_slide_viewed=2\r\n"
                                 "*random/sequential=random\r\n"
                                 "*autom/manual=manual\r\n"
                                 "*interval=3000\r\n"
                                 "*comments_visible=YES\r\n")
                                    .toUtf8());
        // Read back, it is the same show.
        s = SlideList{};
        test::ScriptedPrompt p;
        QCOMPARE(read_slide_list(out), ReadOutcome::Loaded);
        QCOMPARE(s.slide_count, 2);
        QCOMPARE(s.resume_slide, 2);
        QVERIFY(s.random_order);
    }

    void failed_save_reports_and_keeps_the_old_file()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        test::ScriptedPrompt p;
        slides().slide_count = 1;
        slides().slot(1).path = a;
        const QString ro = test::fresh_folder(QStringLiteral("ro"));
        const QString out = ro + QStringLiteral("/kept.ssf");
        test::write_file(out, "kept");
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool saved = save_slide_show_file(out);
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].text.startsWith(QStringLiteral("Error ")));
        QCOMPARE(read_all(out), QByteArray("kept"));
    }

    void save_as_makes_the_chosen_file_the_shows()
    {
        test::ScriptedPrompt p;
        SlideList &s = slides();
        s.slide_count = 1;
        s.slot(1).path = a;
        s.slide_show_file = dir + QStringLiteral("/built.ssf");
        p.texts = {QString(), dir + QStringLiteral("/mine")};
        QVERIFY(!save_slide_show_file_as(b));
        QVERIFY(!s.own_file);
        QCOMPARE(p.files[0].kind, FileRequest::Save);
        QCOMPARE(p.files[0].start, dir + QStringLiteral("/sub/_slide_show.ssf"));
        QCOMPARE(p.files[0].filter, QStringLiteral("Slide show file (*.ssf)"));
        // A bare name gets its extension; the file is the show's from now on.
        const QString chosen = dir + QStringLiteral("/mine.ssf");
        QVERIFY(save_slide_show_file_as(b));
        QVERIFY(s.own_file);
        QCOMPARE(s.slide_show_file, chosen);
        QCOMPARE(get_setting(key::last_slide_show), chosen);
        QVERIFY(read_all(chosen).startsWith(QByteArray(a.toUtf8() + "|0\r\n")));
        s.current_slide = 1;
        s.slide_show_active = true;
        lf::end_slide_show(b);
        QVERIFY(read_all(chosen).contains("*index_of_last_slide_viewed=1\r\n"));
        QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/built.ssf")));
    }

    void end_slide_show_data()
    {
        QTest::addColumn<bool>("own");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("own_file_written");
        QTest::newRow("own file, no question") << true << Answer::Cancel << 0 << true;
        QTest::newRow("built show, cancel") << false << Answer::Cancel << 1 << false;
        QTest::newRow("built show, ok") << false << Answer::Ok << 1 << true;
    }
    void end_slide_show()
    {
        QFETCH(bool, own);
        QFETCH(Answer, answer);
        test::ScriptedPrompt p;
        p.answers = {answer};
        const QString other = dir + QStringLiteral("/other.ssf");
        p.texts = {other};
        SlideList &s = slides();
        s.slide_count = 2;
        s.slot(1).path = a;
        s.slot(2).path = b;
        s.current_slide = 2;
        s.slide_show_active = true;
        s.own_file = own;
        s.slide_show_file = dir + QStringLiteral("/show.ssf");
        lf::end_slide_show(a);
        QCOMPARE(s.resume_slide, 2);
        QVERIFY(!s.slide_show_active);
        QTEST(int(p.messages.size()), "questions");
        if (!own) {
            QCOMPARE(p.messages[0].text, QStringLiteral("Do you want to save the slide show file?"));
            QCOMPARE(p.messages[0].buttons, Buttons::OkCancel);
            QCOMPARE(p.messages[0].icon, Icon::Question);
            QCOMPARE(QFileInfo::exists(other), answer == Answer::Ok);
        }
        QTEST(QFileInfo::exists(s.slide_show_file), "own_file_written");
        if (own)
            QVERIFY(read_all(s.slide_show_file).contains("*index_of_last_slide_viewed=2\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_slide_show_file)
#include "tst_slide_show_file.moc"
