// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/random.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_sequencer.h"
#include "test_env.h"

#include <QtTest>

#include <set>

using namespace lf;

namespace {

void make_show(int n)
{
    SlideList &s = slides();
    s.slide_count = n;
    for (int i = 1; i <= n; ++i)
        s.slot(i).path = QStringLiteral("/p/%1.jpg").arg(i);
    s.slide_show_active = true;
}

// One step as the window runs it: choose, then record.
int step(ShowCursor &c, const QString &deleted = {})
{
    const Selection sel = select_next(slides(), c, deleted);
    record_shown(slides(), sel);
    return sel.slide;
}

int beeps(const test::FakeWindows &w) { return int(w.calls.count(QStringLiteral("beep"))); }

} // namespace

class tst_slide_sequencer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        seed_random(12345);
    }

    void sequential_forward_wraps_with_a_beep()
    {
        test::FakeWindows w;
        make_show(3);
        ShowCursor c;
        QCOMPARE(step(c), 1);
        QCOMPARE(step(c), 2);
        QCOMPARE(step(c), 3);
        QCOMPARE(slides().seen_count, 3);
        QVERIFY(!c.wrapped);
        QCOMPARE(beeps(w), 0);
        QCOMPARE(step(c), 1);
        QCOMPARE(beeps(w), 1);
        QVERIFY(c.wrapped);
        QVERIFY(!slides().slot(2).seen && !slides().slot(3).seen);
        QCOMPARE(slides().seen_count, 1); // only picture 1, on screen again
    }

    void sequential_backward_skips_deleted()
    {
        test::FakeWindows w;
        make_show(5);
        slides().slot(5).path.clear();
        const QString deleted = QStringLiteral("|/p/4.jpg");
        slides().current_slide = 1;
        slides().go_backward = true;
        ShowCursor c;
        QCOMPARE(step(c, deleted), 3);
        QVERIFY(!slides().go_backward);
        QCOMPARE(beeps(w), 0);
    }

    void forward_passes_over_deleted_entries()
    {
        test::FakeWindows w;
        make_show(4);
        slides().slot(2).path.clear();
        slides().slot(3).path.clear();
        slides().current_slide = 1;
        ShowCursor c;
        QCOMPARE(step(c), 4);
    }

    void a_show_with_every_entry_deleted_ends()
    {
        test::FakeWindows w;
        make_show(3);
        for (int i = 1; i <= 3; ++i)
            slides().slot(i).path.clear();
        for (bool random : {false, true}) {
            slides().random_order = random;
            ShowCursor c;
            QCOMPARE(step(c), 0);
        }
    }

    void resume_comes_first_in_either_order_data()
    {
        QTest::addColumn<bool>("random");
        QTest::newRow("sequential") << false;
        QTest::newRow("random") << true;
    }
    void resume_comes_first_in_either_order()
    {
        QFETCH(bool, random);
        test::FakeWindows w;
        make_show(10);
        slides().random_order = random;
        slides().resume_slide = 7;
        ShowCursor c;
        QCOMPARE(step(c), 7);
        QCOMPARE(slides().resume_slide, 0);
        if (!random)
            QCOMPARE(step(c), 8);
    }

    void random_shows_each_once_then_beeps()
    {
        test::FakeWindows w;
        make_show(3);
        slides().random_order = true;
        ShowCursor c;
        std::set<int> shown;
        for (int i = 0; i < 3; ++i)
            shown.insert(step(c));
        QCOMPARE(shown, (std::set<int>{1, 2, 3}));
        QCOMPARE(beeps(w), 0);
        QCOMPARE(slides().seen_count, 3);
        const int fourth = step(c);
        QVERIFY(fourth >= 1 && fourth <= 3);
        QCOMPARE(beeps(w), 1);
        QVERIFY(c.wrapped);
        QCOMPARE(slides().seen_count, 1);
    }

    void random_back_and_forward_retrace_the_history()
    {
        test::FakeWindows w;
        make_show(50);
        slides().random_order = true;
        ShowCursor c;
        QList<int> first;
        for (int i = 0; i < 4; ++i)
            first << step(c);
        const int unseen = slides().slide_count - slides().seen_count;
        QList<int> back;
        for (int i = 0; i < 3; ++i) {
            slides().go_backward = true;
            back << step(c);
        }
        QCOMPARE(back, (QList<int>{first[2], first[1], first[0]}));
        QCOMPARE(beeps(w), 0);
        slides().go_backward = true; // past the oldest
        QCOMPARE(step(c), first[0]);
        QCOMPARE(beeps(w), 1);
        QVERIFY(!slides().go_backward);
        QList<int> forward;
        for (int i = 0; i < 3; ++i)
            forward << step(c);
        QCOMPARE(forward, (QList<int>{first[1], first[2], first[3]}));
        QCOMPARE(slides().slide_count - slides().seen_count, unseen); // history does not count
        const int fresh = step(c);
        QVERIFY(!first.contains(fresh));
        QCOMPARE(slides().history_pos, 5);
    }

    void twenty_first_picture_shifts_the_history()
    {
        test::FakeWindows w;
        make_show(100);
        slides().random_order = true;
        ShowCursor c;
        QList<int> shown;
        for (int i = 0; i < history_size + 1; ++i)
            shown << step(c);
        QCOMPARE(slides().history_pos, history_size);
        QCOMPARE(slides().history[1], shown[1]);
        QCOMPARE(slides().history[size_t(history_size)], shown[history_size]);
    }

    void refresh_replays_without_counting()
    {
        test::FakeWindows w;
        make_show(10);
        slides().random_order = true;
        ShowCursor c;
        const int one = step(c);
        const int seen = slides().seen_count;
        c.replay = true;
        QCOMPARE(step(c), one);
        QCOMPARE(slides().seen_count, seen);
        QCOMPARE(slides().history_pos, 1);
    }

    void prediction_matches_the_next_step_data()
    {
        QTest::addColumn<bool>("random");
        QTest::newRow("sequential") << false;
        QTest::newRow("random") << true;
    }
    void prediction_matches_the_next_step()
    {
        QFETCH(bool, random);
        test::FakeWindows w;
        // The order with read-ahead is the order without it.
        make_show(7);
        slides().random_order = random;
        ShowCursor c;
        QList<int> plain;
        for (int i = 0; i < 12; ++i)
            plain << step(c);

        test::reset_everything();
        seed_random(12345);
        make_show(7);
        slides().random_order = random;
        ShowCursor c2;
        QList<int> ahead;
        for (int i = 0; i < 12; ++i) {
            const int predicted = predict_next_forward(slides(), c2);
            const int got = step(c2);
            QCOMPARE(predicted, got);
            ahead << got;
        }
        QCOMPARE(ahead, plain);
    }

    void names_that_are_not_pictures_are_passed_by_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("random");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("a note before a picture")
            << QStringList{"/p/notes.txt", "/p/a.jpg"} << false << int(PictureChoice::Picture)
            << "/p/a.jpg" << none;
        QTest::newRow("one bad name, twice in a row")
            << QStringList{"/p/notes.txt"} << false << int(PictureChoice::Bad) << "/p/notes.txt"
            << QStringList{"Bad file name: /p/notes.txt"};
        QTest::newRow("two bad names in turn end too")
            << QStringList{"/p/a.txt", "/p/b.txt"} << false << int(PictureChoice::Bad)
            << "/p/a.txt" << QStringList{"Bad file name: /p/a.txt"};
        QTest::newRow("many bad names in random order end too")
            << QStringList{"/p/1.txt", "/p/2.txt", "/p/3.txt", "/p/4.txt", "/p/5.txt"} << true
            << int(PictureChoice::Bad) << QString() << QStringList{};
    }
    void names_that_are_not_pictures_are_passed_by()
    {
        QFETCH(QStringList, paths);
        QFETCH(bool, random);
        QFETCH(int, kind);
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        test::FakeWindows w;
        test::ScriptedPrompt prompt;
        SlideList &s = slides();
        s.slide_count = int(paths.size());
        for (int i = 0; i < paths.size(); ++i)
            s.slot(i + 1).path = paths[i];
        s.slide_show_active = true;
        s.random_order = random;
        ShowCursor c;
        const PictureChoice got = choose_picture(s, c, {});
        QCOMPARE(int(got.kind), kind);
        if (!path.isEmpty())
            QCOMPARE(got.path, path);
        if (!messages.isEmpty())
            QCOMPARE(prompt.message_texts(), messages);
        else if (kind == int(PictureChoice::Bad))
            QCOMPARE(prompt.message_texts(), QStringList{"Bad file name: " + got.path});
    }

    void deleted_list_names_whole_paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<bool>("expected");
        QTest::newRow("listed second") << "/a/b.jpg" << "|/x.jpg|/a/b.jpg" << true;
        QTest::newRow("a longer name is another") << "/a/b.jpg" << "|/a/b.jpg2" << false;
        QTest::newRow("other case is another picture") << "/a/X.jpg" << "|/a/x.jpg" << false;
        QTest::newRow("no path") << QString() << "|" << false;
    }
    void deleted_list_names_whole_paths()
    {
        QFETCH(QString, path);
        QFETCH(QString, deleted);
        QTEST(is_deleted(path, deleted), "expected");
    }

    void go_to_answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("blank") << QStringLiteral("   ") << int(GoToAnswer::Leave) << 0;
        QTest::newRow("cancel") << QString() << int(GoToAnswer::Leave) << 0;
        QTest::newRow("zero") << QStringLiteral("0") << int(GoToAnswer::NotAllowed) << 0;
        QTest::newRow("count + 1") << QStringLiteral("11") << int(GoToAnswer::NotAllowed) << 0;
        QTest::newRow("letters") << QStringLiteral("abc") << int(GoToAnswer::FormatError) << 0;
        QTest::newRow("number then letters") << QStringLiteral("3x") << int(GoToAnswer::FormatError) << 0;
        QTest::newRow("2.5 to even") << QStringLiteral("2.5") << int(GoToAnswer::Take) << 2;
        QTest::newRow("3.5 to even") << QStringLiteral("3.5") << int(GoToAnswer::Take) << 4;
        QTest::newRow("last") << QStringLiteral(" 10 ") << int(GoToAnswer::Take) << 10;
        QTest::newRow("first") << QStringLiteral("1") << int(GoToAnswer::Take) << 1;
    }
    void go_to_answers()
    {
        QFETCH(QString, answer);
        const GoToAnswer a = parse_go_to_answer(answer, 10);
        QTEST(int(a.kind), "kind");
        QTEST(a.number, "number");
    }
};

QTEST_GUILESS_MAIN(tst_slide_sequencer)
#include "tst_slide_sequencer.moc"
