// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/random.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_commands.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_placement.h"
#include "slideshow/slide_sequencer.h"
#include "test_env.h"
#include "viewer/viewer_state.h"

#include <QtTest>

#include <optional>

using namespace lf;

namespace {

constexpr int W = 19200, H = 15360; // 1280 x 1024 pixels
QSize size_of(const TwipRect &r) { return QSize(r.width, r.height); }

void make_show(int n, bool random = false)
{
    SlideList &s = slides();
    s.slide_count = n;
    for (int i = 1; i <= n; ++i)
        s.slot(i).path = QStringLiteral("/p/%1.jpg").arg(i);
    s.slide_show_active = true, s.random_order = random;
}

// One step as the window runs it: choose, then record.
int step(ShowCursor &c, const QString &deleted = {}, bool back = false)
{
    slides().go_backward = back;
    const Selection sel = select_next(slides(), c, deleted);
    record_shown(slides(), sel);
    return sel.slide;
}

} // namespace

// The order pictures come in, and where they are placed.
class tst_slide_rules : public QObject {
    Q_OBJECT
    std::optional<test::FakeWindows> w;
    std::optional<test::ScriptedPrompt> prompt;
    int beeps() const { return int(w->calls.count(QStringLiteral("beep"))); }

private Q_SLOTS:
    void init() { test::reset_everything(), seed_random(12345), w.emplace(), prompt.emplace(); }
    void sequential_forward_wraps_with_a_beep()
    {
        make_show(3);
        ShowCursor c;
        QCOMPARE((QList<int>{step(c), step(c), step(c)}), (QList<int>{1, 2, 3}));
        QCOMPARE(slides().seen_count, 3);
        QCOMPARE((QList<int>{beeps(), step(c), beeps()}), (QList<int>{0, 1, 1}));
        QVERIFY(c.wrapped);
        QVERIFY(!slides().slot(2).seen && !slides().slot(3).seen);
        QCOMPARE(slides().seen_count, 1); // only picture 1, on screen again
        // A shorter show after a longer one wraps at its own end.
        slides().slot(4).path = QStringLiteral("/p/4.jpg");
        slides().current_slide = 3;
        QCOMPARE(predict_next_forward(slides(), c), 1);
        QCOMPARE(step(c), 1);
        slides().seen_count = 3; // a count already full stays full: never a negative unseen
        QCOMPARE((QList<int>{step(c), slides().seen_count}), (QList<int>{2, 3}));
    }

    // Deleted entries: an emptied slot, or (going back) a path in the deleted
    // list, matched whole and in its case.
    void deleted_entries_are_passed_over()
    {
        make_show(5);
        slides().slot(5).path.clear();
        slides().current_slide = 1;
        ShowCursor c;
        QCOMPARE(step(c, QStringLiteral("|/p/x.jpg|/p/4.jpg"), true), 3);
        slides().slot(4).path.clear();
        QCOMPARE(step(c), 1); // 4 and 5 are gone: round to 1
        QCOMPARE(beeps(), 1);
        QVERIFY(!is_deleted(QStringLiteral("/a/b.jpg"), QStringLiteral("|/a/b.jpg2")));
        QVERIFY(!is_deleted(QStringLiteral("/a/X.jpg"), QStringLiteral("|/a/x.jpg")));
    }

    // A random pick starts at 1 + r * count and takes the first unseen from
    // there, wrapping; when all are seen a new round starts with a beep.
    void random_pick_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<QList<int>>("seen");
        QTest::addColumn<int>("expected");
        QTest::newRow("r = 0: the first") << 0.0 << QList<int>{} << 1;
        QTest::newRow("start seen: the next") << 0.5 << QList<int>{3} << 4;
        QTest::newRow("wraps to the first") << 0.99 << QList<int>{4} << 1;
        QTest::newRow("the only unseen, just before the start") << 0.25 << QList<int>{2, 3, 4} << 1;
        QTest::newRow("all seen: new round at the start") << 0.5 << QList<int>{1, 2, 3, 4} << 3;
    }
    void random_pick()
    {
        QFETCH(double, r);
        QFETCH(QList<int>, seen);
        make_show(4, true);
        for (int i : seen)
            slides().slot(i).seen = true;
        slides().seen_count = int(seen.size()), slides().drawn_ahead = r;
        ShowCursor c;
        QTEST(step(c), "expected");
        QCOMPARE((QList<int>{beeps(), int(c.wrapped)}), QList<int>(2, seen.size() == 4 ? 1 : 0));
    }

    // Back retraces the last 20 shown (the 21st drops the oldest), with a
    // beep past the oldest; forward retraces them, uncounted, then picks anew.
    void random_back_and_forward_retrace_the_history()
    {
        make_show(100, true);
        ShowCursor c;
        QList<int> shown, back, forward;
        for (int i = 0; i < 21; ++i)
            shown << step(c);
        const int seen = slides().seen_count;
        for (int i = 0; i < 19; ++i)
            back.prepend(step(c, {}, true));
        QCOMPARE(back, shown.mid(1, 19));
        QCOMPARE(beeps(), 0);
        QCOMPARE(step(c, {}, true), shown[1]);
        QCOMPARE(beeps(), 1);
        for (int i = 0; i < 19; ++i)
            forward << step(c);
        QCOMPARE(forward, shown.mid(2));
        QCOMPARE(slides().seen_count, seen);
        QVERIFY(!shown.contains(step(c)));
        QCOMPARE(slides().seen_count, seen + 1);
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
        QTest::newRow("bad names in turn") << QStringList{"/p/a.txt", "/p/b.txt", "/p/c.txt"} << false << int(P::Bad) << "/p/a.txt";
        QTest::newRow("many bad names, random") << QStringList{"/1.txt", "/2.txt", "/3.txt", "/4.txt"} << true << int(P::Bad) << "";
        QTest::newRow("every entry deleted") << QStringList{"", ""} << false << int(P::NothingLeft) << "";
    }
    void names_that_are_not_pictures_are_passed_by()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, path);
        QFETCH(bool, random);
        make_show(int(paths.size()), random);
        for (int i = 0; i < paths.size(); ++i)
            slides().slot(i + 1).path = paths[i];
        ShowCursor c;
        const PictureChoice got = choose_picture(slides(), c, {});
        QTEST(int(got.kind), "kind");
        QVERIFY2(path.isEmpty() ? paths.contains(got.path) : got.path == path, qPrintable(got.path));
        QCOMPARE(prompt->message_texts(),
                 got.kind == PictureChoice::Bad ? QStringList{"Bad file name: " + got.path} : QStringList{});
    }

    // A number is asked again until blank or one of the list (halves to even).
    // Sequential order asked for while already sequential: on the first slide
    // it just says so, elsewhere it offers to start again.
    void go_to_number_and_sequential_request()
    {
        make_show(10);
        slides().current_slide = 4;
        prompt->texts = {"0", "11", "3x", "2.5", "3.5", " 10 ", "   "};
        QList<int> taken; // 0: left
        for (int i = 0; i < 4; ++i)
            taken << (ask_go_to_number(slides()) ? slides().resume_slide : 0);
        QCOMPARE(taken, (QList<int>{2, 4, 10, 0}));
        const InputRequest &q = prompt->inputs[0];
        QCOMPARE(q.title + " | " + q.prompt + " | " + q.proposed,
                 "Select next picture number | Picture number? (type a number from 1 to 10) | 4");
        prompt->texts = {"2147483647"}; // the largest interval
        QVERIFY(ask_new_interval(slides()) && slides().interval_ms == 2147483647);
        slides().current_slide = 1;
        QVERIFY(!sequential_order_request(slides()));
        slides().current_slide = 2;
        prompt->answers = {Answer::Yes};
        QVERIFY(sequential_order_request(slides()) && slides().current_slide == 0);
        QCOMPARE(prompt->message_texts(), (QStringList{"Numeber not allowed", "Numeber not allowed", "Format error",
                 "Mode is already sequential", "Mode is already sequential. Do you want to go to the first slide?"}));
        set_random_order(slides(), true);
        QVERIFY(sequential_order_request(slides()) && !slides().random_order);
        QCOMPARE(get_setting(key::random), QStringLiteral("0"));
    }

    // Centred; the status bar's margin is 300 twips above and below when shown.
    void placement()
    {
        auto shown = [](QSize o, bool bar, bool fit, bool show) {
            const TwipRect r = place_picture({o.width(), o.height(), W, H, bar, 300, fit, show});
            return r.left * 2 + r.width == W && r.top * 2 + r.height == H ? size_of(r) : QSize();
        };
        QCOMPARE(shown({6000, 4500}, true, false, true), QSize(6000, 4500));
        QCOMPARE(shown({10000, 20000}, true, false, true), QSize(7380, 14760));
        QCOMPARE(shown({10000, 20000}, false, false, true), QSize(7680, 15360));
        QCOMPARE(shown({40000, 10000}, true, false, true), QSize(19200, 4800));
        QCOMPARE(shown({5000, 4000}, true, true, true), QSize(18400, 14720)); // fit 5:4 by height, 800 narrower
        QCOMPARE(shown({18400, 3000}, true, true, true), QSize(18400, 3000)); // exactly 800 narrower: kept
        QCOMPARE(shown({6000, 5500}, false, true, false), QSize(19200, 17600)); // single, taller than the screen
    }

    // Sizes after the first placement: handed over, zoomed, proportions
    // restored, handed to a moving window.
    void handover_zoom_moving_and_decode_sizes()
    {
        PlacementInput single{6000, 4500, W, H, false, 300, false, false, 9000, 6750};
        QCOMPARE(place_picture(single), (TwipRect{5100, 4305, 9000, 6750}));
        single.slide_show = true; // a slide show fits afresh
        QCOMPARE(place_picture(single).width, 6000);
        const TwipRect in = zoom_picture(centred(6000, 4500, W, H), true, 6000, 4500, W, H);
        QCOMPARE(in, (TwipRect{6000, 4980, 7200, 5400}));
        QCOMPARE(size_of(zoom_picture(in, false, 6000, 4500, W, H)), QSize(5760, 4320)); // 1.2 x 0.8 = 0.96
        // Portrait pictures take their width from the height.
        QCOMPARE(size_of(restore_proportions(TwipRect{0, 0, 999, 6000}, 3000, 6000, W, H)), QSize(3000, 6000));
        // A moving window: the shown size within 12000 x 8000, proportions kept, at least a pixel.
        QCOMPARE(size_of(lf::moving_handover_size(12000, 8000, 12000, 8000)), QSize(12000, 8000));
        QCOMPARE(size_of(lf::moving_handover_size(24000, 6000, 12000, 8000)), QSize(12000, 3000));
        QCOMPARE(size_of(lf::moving_handover_size(3000, 16000, 12000, 8000)), QSize(1500, 8000));
        QCOMPARE(size_of(lf::moving_handover_size(0, 0, 12000, 8000)), QSize(15, 15));
        // Decoded for the screen less the bar's margins (270 + 90 each side);
        // a held picture keeps its recorded natural size. The pointer is moved
        // away strictly inside the central 60 % of the screen.
        QCOMPARE((QList<bool>{pointer_too_central(3841, 3073, W, H), pointer_too_central(3840, 7680, W, H),
                              pointer_too_central(9600, 12288, W, H)}), (QList<bool>{true, false, false}));
        QCOMPARE(decode_height(H, 270, true), 14640);
        QCOMPARE(decode_height(H, 270, false), H);
        ViewerState v;
        QCOMPARE(held_natural_size(v, QSize(30, 20), 2.0), QSize(30, 20));
        note_natural_size(v, QSize(200, 100), 2.0);
        QCOMPARE(QSize(v.original_width, v.original_height), QSize(1500, 750));
        QCOMPARE(v.aspect_ratio, 2.0);
        QCOMPARE(held_natural_size(v, QSize(30, 20), 1.0), QSize(100, 50));
    }

    // The file name at the bottom right; backward 300 left of the centre and
    // forward 500 after it, or 200 after l_unseen and after backward when close.
    void status_layout_rules()
    {
        StatusWidths w{1500, 1800, 1400, 1000, 600, 600, 700, 700, 5000, 270}; // l_unseen ends at 8400
        StatusLayout l = status_layout(w, W, H);
        QCOMPARE(l.filename, (TwipRect{14200, 15090, 5000, 270}));
        QCOMPARE(QList<int>({l.show_hide.left, l.autom.left, l.interval.left, l.backward.left, l.forward.left}),
                 QList<int>({0, 1800, 3900, 8600, 9800}));
        w.unseen = 4000;
        l = status_layout(w, W, H);
        QCOMPARE(QList<int>({l.backward.left, l.forward.left}), QList<int>({12000, 12900}));
        // The comment, shortened past 80 characters.
        const QString eighty = QString(73, QLatin1Char('y')); // 80 with " (3/12)"
        QCOMPARE(comment_text(eighty, 3, 12), eighty + QStringLiteral(" (3/12)"));
        const QString path = "/" + QString(69, QLatin1Char('x')) + ".jpg"; // 81 with " (3/12)"
        QCOMPARE(comment_text(path, 3, 12), "..." + QString(68, QLatin1Char('x')) + ".jpg (3/12)");
        QCOMPARE(comment_full_text(path, 3, 12), path + QStringLiteral(" (3/12)"));
    }

};

QTEST_GUILESS_MAIN(tst_slide_rules)
#include "tst_slide_rules.moc"
