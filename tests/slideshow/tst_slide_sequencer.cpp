// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/random.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_sequencer.h"
#include "test_env.h"

#include <QtTest>

#include <optional>

using namespace lf;

namespace {

void make_show(int n, bool random = false)
{
    SlideList &s = slides();
    s.slide_count = n;
    for (int i = 1; i <= n; ++i)
        s.slot(i).path = QStringLiteral("/p/%1.jpg").arg(i);
    s.slide_show_active = true;
    s.random_order = random;
}

// One step as the window runs it: choose, then record.
int step(ShowCursor &c, const QString &deleted = {}, bool back = false)
{
    slides().go_backward = back;
    const Selection sel = select_next(slides(), c, deleted);
    record_shown(slides(), sel);
    return sel.slide;
}

int beeps(const test::FakeWindows &w) { return int(w.calls.count(QStringLiteral("beep"))); }

} // namespace

class tst_slide_sequencer : public QObject {
    Q_OBJECT
    std::optional<test::FakeWindows> w;
    std::optional<test::ScriptedPrompt> prompt;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        seed_random(12345);
        w.emplace();
        prompt.emplace();
    }
    void cleanup()
    {
        prompt.reset();
        w.reset();
    }

    void sequential_forward_wraps_with_a_beep()
    {
        make_show(3);
        ShowCursor c;
        QCOMPARE((QList<int>{step(c), step(c), step(c)}), (QList<int>{1, 2, 3}));
        QCOMPARE(slides().seen_count, 3);
        QCOMPARE(beeps(*w), 0);
        QCOMPARE(step(c), 1);
        QCOMPARE(beeps(*w), 1);
        QVERIFY(c.wrapped);
        QVERIFY(!slides().slot(2).seen && !slides().slot(3).seen);
        QCOMPARE(slides().seen_count, 1); // only picture 1, on screen again
    }

    void a_shorter_show_after_a_longer_one_wraps_at_its_own_end()
    {
        make_show(5); // slots 4 and 5 keep the longer show's pictures
        slides().slide_count = 3;
        slides().current_slide = 3;
        ShowCursor c;
        QCOMPARE(predict_next_forward(slides(), c), 1);
        QCOMPARE(step(c), 1);
        QCOMPARE(beeps(*w), 1);
    }

    // Deleted entries: an emptied slot, or (going back) a path in the deleted list.
    void deleted_entries_are_passed_over()
    {
        make_show(5);
        slides().slot(5).path.clear();
        slides().current_slide = 1;
        ShowCursor c;
        QCOMPARE(step(c, QStringLiteral("|/p/4.jpg"), true), 3);
        slides().slot(4).path.clear();
        QCOMPARE(step(c), 1); // 4 and 5 are gone: round to 1
        QCOMPARE(beeps(*w), 1);
    }

    // A random pick starts at 1 + r * count and takes the first unseen from
    // there, wrapping; when all are seen a new round starts with a beep.
    void random_pick_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<QList<int>>("seen");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("r = 0: the first") << 0.0 << QList<int>{} << 1 << 0;
        QTest::newRow("r = 0.99: the last") << 0.99 << QList<int>{} << 4 << 0;
        QTest::newRow("start seen: the next") << 0.5 << QList<int>{3} << 4 << 0;
        QTest::newRow("wraps to the first") << 0.99 << QList<int>{4} << 1 << 0;
        QTest::newRow("the only unseen, just before the start") << 0.25 << QList<int>{2, 3, 4} << 1 << 0;
        QTest::newRow("all seen: new round at the start") << 0.5 << QList<int>{1, 2, 3, 4} << 3 << 1;
    }
    void random_pick()
    {
        QFETCH(double, r);
        QFETCH(QList<int>, seen);
        make_show(4, true);
        for (int i : seen)
            slides().slot(i).seen = true;
        slides().seen_count = int(seen.size());
        slides().drawn_ahead = r;
        ShowCursor c;
        QTEST(step(c), "expected");
        QTEST(beeps(*w), "beeps");
    }

    void random_back_and_forward_retrace_the_history()
    {
        make_show(50, true);
        ShowCursor c;
        QList<int> first;
        for (int i = 0; i < 4; ++i)
            first << step(c);
        const int seen = slides().seen_count;
        QList<int> back;
        for (int i = 0; i < 3; ++i)
            back << step(c, {}, true);
        QCOMPARE(back, (QList<int>{first[2], first[1], first[0]}));
        QCOMPARE(beeps(*w), 0);
        QCOMPARE(step(c, {}, true), first[0]); // past the oldest
        QCOMPARE(beeps(*w), 1);
        QList<int> forward{step(c), step(c), step(c)};
        QCOMPARE(forward, (QList<int>{first[1], first[2], first[3]}));
        QCOMPARE(slides().seen_count, seen); // history does not count
        QVERIFY(!first.contains(step(c)));
        QCOMPARE(slides().seen_count, seen + 1);
    }

    void twenty_first_picture_shifts_the_history()
    {
        make_show(100, true);
        ShowCursor c;
        QList<int> shown;
        for (int i = 0; i < history_size + 1; ++i)
            shown << step(c);
        QList<int> back;
        for (int i = 0; i < history_size; ++i)
            back.prepend(step(c, {}, true));
        QCOMPARE(back, QList<int>{shown[1]} + shown.mid(1, history_size - 1));
    }

    // A name that is no picture is passed by; the second time round the
    // show stops on it and says so. Nothing left at all ends the show.
    void names_that_are_not_pictures_are_passed_by_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("random");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        using P = PictureChoice;
        QTest::newRow("a note before a picture") << QStringList{"/p/n.txt", "/p/a.jpg"} << false << int(P::Picture) << "/p/a.jpg";
        QTest::newRow("one bad name") << QStringList{"/p/n.txt"} << false << int(P::Bad) << "/p/n.txt";
        QTest::newRow("two bad names in turn") << QStringList{"/p/a.txt", "/p/b.txt"} << false << int(P::Bad) << "/p/a.txt";
        QTest::newRow("many bad names, random") << QStringList{"/1.txt", "/2.txt", "/3.txt", "/4.txt"} << true << int(P::Bad) << "";
        QTest::newRow("every entry deleted") << QStringList{"", ""} << false << int(P::NothingLeft) << "";
        QTest::newRow("every entry deleted, random") << QStringList{"", ""} << true << int(P::NothingLeft) << "";
    }
    void names_that_are_not_pictures_are_passed_by()
    {
        QFETCH(QStringList, paths);
        QFETCH(bool, random);
        QFETCH(int, kind);
        QFETCH(QString, path);
        make_show(int(paths.size()), random);
        for (int i = 0; i < paths.size(); ++i)
            slides().slot(i + 1).path = paths[i];
        ShowCursor c;
        const PictureChoice got = choose_picture(slides(), c, {});
        QCOMPARE(int(got.kind), kind);
        if (!path.isEmpty())
            QCOMPARE(got.path, path);
        QCOMPARE(prompt->message_texts(),
                 kind == int(PictureChoice::Bad) ? QStringList{"Bad file name: " + got.path} : QStringList{});
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
        QTest::newRow("zero") << QStringLiteral("0") << int(GoToAnswer::NotAllowed) << 0;
        QTest::newRow("count + 1") << QStringLiteral("11") << int(GoToAnswer::NotAllowed) << 0;
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
