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

#include <optional>

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
    std::optional<test::FakeWindows> w;
    std::optional<test::ScriptedPrompt> p;

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
        w.emplace();
        p.emplace();
    }
    void cleanup()
    {
        p.reset();
        w.reset();
    }

    void flags_only_in_second_last_place()
    {
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
        QVERIFY(p->messages.isEmpty());
    }

    void relative_lines_and_line_ends_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("slash, CRLF") << QByteArray("*/a.jpg\r\n*/sub/b.jpg|1\r\n");
        QTest::newRow("bare relative names") << QByteArray("a.jpg\nsub/b.jpg|1\n");
        QTest::newRow("backslash, LF, CR only") << QByteArray("*\\a.jpg\n*\\sub\\b.jpg|1\r");
    }
    void relative_lines_and_line_ends()
    {
        QFETCH(QByteArray, text);
        QCOMPARE(read_slide_list(ssf(text)), ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, 2);
        QCOMPARE(slides().slot(1).path, a);
        QCOMPARE(slides().slot(2).path, b);
        QVERIFY(slides().slot(2).seen);
        QVERIFY(p->messages.isEmpty());
    }

    // Headers anywhere, names in any case; three pictures.
    void header_values_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<bool>("random_before");
        QTest::addColumn<bool>("random_after");
        QTest::addColumn<int>("interval_after");
        QTest::addColumn<int>("resume_after");
        QTest::addColumn<bool>("auto_after");
        QTest::newRow("any case, spaces, random") << QByteArray("*Random/Sequential=  RANDOM ")
                                                   << false << true << 700 << 0 << false;
        QTest::newRow("sequential keeps random on") << QByteArray("*random/sequential=sequential") << true << true << 700 << 0 << false;
        QTest::newRow("autom") << QByteArray("*AUTOM/manual= Autom") << false << false << 700 << 0 << true;
        QTest::newRow("interval 2500") << QByteArray("*INTERVAL=2500") << false << false << 2500 << 0 << false;
        QTest::newRow("interval halves to even") << QByteArray("*interval=2.5") << false << false << 2 << 0 << false;
        QTest::newRow("negative interval") << QByteArray("*interval=-5") << false << false << 700 << 0 << false;
        QTest::newRow("index of the last") << QByteArray("*index_of_last_slide_viewed=3") << false << false << 700 << 3 << false;
        QTest::newRow("index past the list") << QByteArray("*index_of_last_slide_viewed=4") << false << false << 700 << 0 << false;
        QTest::newRow("index 2.5") << QByteArray("*index_of_last_slide_viewed=2.5") << false << false << 700 << 2 << false;
    }
    void header_values()
    {
        QFETCH(QByteArray, lines);
        QFETCH(bool, random_before);
        slides().random_order = random_before;
        slides().interval_ms = 700;
        slides().resume_slide = 3; // left from an earlier show
        QCOMPARE(read_slide_list(ssf((a + "\n").toUtf8() + lines + ("\n" + b + "\n" + c).toUtf8())),
                 ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, 3);
        QTEST(slides().random_order, "random_after");
        QTEST(slides().interval_ms, "interval_after");
        QTEST(slides().resume_slide, "resume_after");
        QTEST(slides().auto_advance, "auto_after");
    }

    void cancel_leaves_the_file_untouched()
    {
        p->answers = {Answer::Cancel};
        const QByteArray text = (a + "|1\r\n" + dir + "/gone.jpg|0\r\n" + b + "\r\n").toUtf8();
        const QString path = ssf(text);
        QCOMPARE(read_slide_list(path), ReadOutcome::Cancelled);
        QCOMPARE(slides().slide_count, 0);
        QCOMPARE(p->message_texts(),
                 QStringList{QStringLiteral("Path ") + dir
                             + QStringLiteral("/gone.jpg not found. Do you want to remove it from slide show file?")});
        QCOMPARE(p->messages[0].buttons, Buttons::OkCancel);
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
        p->answers = {Answer::Ok, second_answer, Answer::Ok};
        const QString path = ssf((a + "|1\r\n" + dir + "/x.jpg|1\r\n" + b + "|0\r\n" + dir
                                  + "/y.jpg\r\n*interval=5\r\n")
                                     .toUtf8());
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        QCOMPARE(p->messages.size(), questions);
        QCOMPARE(p->messages[1].text,
                 QStringLiteral("Do you want to remove from slide show file any other pictures not found?"));
        QCOMPARE(p->messages[1].buttons, Buttons::YesNo);
        QCOMPARE(slides().slide_count, 2);
        QCOMPARE(slides().seen_count, 1); // the dropped seen picture does not count
        // Rewritten: the kept pictures with flags, no headers, no work file left.
        QCOMPARE(read_all(path), (a + "|1\r\n" + b + "|0\r\n").toUtf8());
        QCOMPARE(QDir(dir).entryList({QStringLiteral("*.ssf*")}), QStringList{file_name_of(path)});
    }

    void unchanged_file_is_not_rewritten()
    {
        const QByteArray text = (a + "\n\n" + b + "\n").toUtf8();
        const QString path = ssf(text);
        QCOMPARE(read_slide_list(path), ReadOutcome::Loaded);
        QCOMPARE(read_all(path), text);
    }

    // Refused files are left as they were and the panel comes back.
    void bad_files_refuse_without_damage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << QStringLiteral("Not a valid slide show file");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("errore 53");
        QByteArray many;
        for (int i = 0; i < max_slides + 1; ++i)
            many += "%a|0\n";
        many += "%gone.jpg\n"; // would be rewritten if we went on
        QTest::newRow("10,001 pictures") << many << QStringLiteral("errore 9 - Subscript out of range");
    }
    void bad_files_refuse_without_damage()
    {
        QFETCH(QByteArray, text);
        text.replace("%a", a.toUtf8()).replace("%gone", QByteArray(dir.toUtf8() + "/gone"));
        slides().slide_show_file = text.isEmpty() ? dir + QStringLiteral("/none.ssf") : ssf(text);
        read_slide_show_file();
        QFETCH(QString, message);
        QVERIFY2(p->message_texts().value(0).startsWith(message), qPrintable(p->message_texts().value(0)));
        QCOMPARE(p->messages.size(), 1);
        QCOMPARE(w->calls, QStringList{QStringLiteral("show_main_panel")});
        QCOMPARE(read_all(slides().slide_show_file), text);
        QCOMPARE(slides().slide_count, 0);
    }

    void exactly_ten_thousand_fit()
    {
        QByteArray text;
        for (int i = 0; i < max_slides; ++i)
            text += a.toUtf8() + "\n";
        QCOMPARE(read_slide_list(ssf(text)), ReadOutcome::Loaded);
        QCOMPARE(slides().slide_count, max_slides);
        QCOMPARE(slides().slot(max_slides).path, a);
    }

    void empty_file_builds_from_its_folder()
    {
        const QString lone = test::fresh_folder(QStringLiteral("lone")) + QStringLiteral("/empty.ssf");
        test::write_file(lone, "");
        slides().slide_show_file = lone;
        read_slide_show_file();
        // The build over the file's folder finds nothing to show either.
        QCOMPARE(p->message_texts(), QStringList{no_pictures_message});
        QCOMPARE(w->calls.value(0), QStringLiteral("show_main_panel"));
        QVERIFY(!w->calls.contains(QStringLiteral("open_slide_show_window")));
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
        s.interval_ms = 3000;
        const QString out = dir + QStringLiteral("/out.ssf");
        test::write_file(out, QByteArray(500, 'o')); // longer than the new content
        QVERIFY(save_slide_show_file(out));
        QCOMPARE(read_all(out), (a + "|1\r\n" + b + "|0\r\n"
                                 "*index_of_last_slide_viewed=2\r\n"
                                 "*random/sequential=random\r\n"
                                 "*autom/manual=manual\r\n"
                                 "*interval=3000\r\n"
                                 "*comments_visible=YES\r\n")
                                    .toUtf8());
    }

    void failed_save_reports_and_keeps_the_old_file()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        slides().slide_count = 1;
        slides().slot(1).path = a;
        const QString ro = test::fresh_folder(QStringLiteral("ro"));
        const QString out = ro + QStringLiteral("/kept.ssf");
        test::write_file(out, "kept");
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool saved = save_slide_show_file(out);
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QCOMPARE(p->messages.size(), 1);
        QVERIFY(p->messages[0].text.startsWith(QStringLiteral("Error ")));
        QCOMPARE(read_all(out), QByteArray("kept"));
    }

    void save_as_makes_the_chosen_file_the_shows()
    {
        SlideList &s = slides();
        s.slide_count = 1;
        s.slot(1).path = a;
        s.slide_show_file = dir + QStringLiteral("/built.ssf");
        p->texts = {QString(), dir + QStringLiteral("/mine")};
        QVERIFY(!save_slide_show_file_as(b));
        QVERIFY(!s.own_file);
        QCOMPARE(p->files[0].kind, FileRequest::Save);
        QCOMPARE(p->files[0].start, dir + QStringLiteral("/sub/_slide_show.ssf"));
        QCOMPARE(p->files[0].filter, QStringLiteral("Slide show file (*.ssf)"));
        // A bare name gets its extension; the file is the show's from now on.
        const QString chosen = dir + QStringLiteral("/mine.ssf");
        QVERIFY(save_slide_show_file_as(b));
        QVERIFY(s.own_file);
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
        p->answers = {answer};
        const QString other = dir + QStringLiteral("/other.ssf");
        p->texts = {other};
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
        QTEST(int(p->messages.size()), "questions");
        if (!own) {
            QCOMPARE(p->messages[0].text, QStringLiteral("Do you want to save the slide show file?"));
            QCOMPARE(p->messages[0].buttons, Buttons::OkCancel);
            QCOMPARE(p->messages[0].icon, Icon::Question);
            QCOMPARE(QFileInfo::exists(other), answer == Answer::Ok);
        }
        QTEST(QFileInfo::exists(s.slide_show_file), "own_file_written");
        if (own)
            QVERIFY(read_all(s.slide_show_file).contains("*index_of_last_slide_viewed=2\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_slide_show_file)
#include "tst_slide_show_file.moc"
