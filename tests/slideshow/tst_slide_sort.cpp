// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_sort.h"
#include "test_env.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace lf;

namespace {

// The neighbour-exchange passes the result must match.
std::vector<SortEntry> exchange_sort(std::vector<SortEntry> v, bool by_time, bool desc)
{
    auto out_of_order = [&](const SortEntry &a, const SortEntry &b) {
        if (by_time)
            return desc ? a.time_ms < b.time_ms : a.time_ms > b.time_ms;
        const int c = QString::compare(a.path, b.path, Qt::CaseInsensitive);
        return desc ? c < 0 : c > 0;
    };
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t i = 0; i + 1 < v.size(); ++i)
            if (out_of_order(v[i], v[i + 1])) {
                std::swap(v[i], v[i + 1]);
                swapped = true;
            }
    }
    return v;
}

QStringList paths(const std::vector<SortEntry> &v)
{
    QStringList out;
    for (const SortEntry &e : v)
        out << e.path;
    return out;
}

std::vector<SortEntry> entries(const QStringList &names, const QList<qint64> &times)
{
    std::vector<SortEntry> v;
    for (int i = 0; i < names.size(); ++i)
        v.push_back(SortEntry{names[i], times.value(i)});
    return v;
}

} // namespace

class tst_slide_sort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void fixed_orders_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<bool>("by_time");
        QTest::addColumn<bool>("desc");
        QTest::addColumn<QStringList>("expected");

        const QStringList tree{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"};
        QTest::newRow("by path: folder first, case ignored")
            << tree << QList<qint64>{} << false << false
            << QStringList{"/p/A/b.jpg", "/p/a/m.jpg", "/p/A/z.jpg", "/p/B/a.jpg"};
        QTest::newRow("by path descending")
            << tree << QList<qint64>{} << false << true
            << QStringList{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"};
        QTest::newRow("same name in other case keeps listing order")
            << QStringList{"/x/IMG.jpg", "/x/img.JPG", "/x/Img.jpg"} << QList<qint64>{} << false
            << true << QStringList{"/x/IMG.jpg", "/x/img.JPG", "/x/Img.jpg"};
        const QStringList three{"first", "second", "third", "fourth"};
        QTest::newRow("by time ascending, ties in listing order")
            << three << QList<qint64>{5, 1, 5, 1} << true << false
            << QStringList{"second", "fourth", "first", "third"};
        QTest::newRow("by time descending, ties in listing order")
            << three << QList<qint64>{5, 1, 5, 1} << true << true
            << QStringList{"first", "third", "second", "fourth"};
        QTest::newRow("all equal times, either way")
            << three << QList<qint64>{7, 7, 7, 7} << true << true << three;
        QTest::newRow("empty") << QStringList{} << QList<qint64>{} << false << false
                               << QStringList{};
        QTest::newRow("one") << QStringList{"a"} << QList<qint64>{} << true << false
                             << QStringList{"a"};
    }
    void fixed_orders()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<qint64>, times);
        QFETCH(bool, by_time);
        QFETCH(bool, desc);
        QFETCH(QStringList, expected);
        auto v = entries(names, times);
        QVERIFY(sort_entries(v, by_time, desc));
        QCOMPARE(paths(v), expected);
        // Paths and times travel together.
        for (const SortEntry &e : v)
            QCOMPARE(e.time_ms, times.value(names.indexOf(e.path)));
    }

    void matches_neighbour_exchange_on_random_lists()
    {
        QRandomGenerator rng(12345);
        const QStringList pool{"a", "B", "b", "A", "ab", "Ab", "a b", "a/b", "c", "C"};
        for (int round = 0; round < 200; ++round) {
            const int n = int(rng.bounded(40));
            std::vector<SortEntry> v;
            for (int i = 0; i < n; ++i)
                v.push_back(SortEntry{pool[int(rng.bounded(pool.size()))] + QString::number(i % 3),
                                      qint64(rng.bounded(5))});
            for (bool by_time : {false, true})
                for (bool desc : {false, true}) {
                    auto mine = v;
                    sort_entries(mine, by_time, desc);
                    const auto ref = exchange_sort(v, by_time, desc);
                    QCOMPARE(paths(mine), paths(ref));
                }
        }
    }

    void stopping_leaves_every_entry()
    {
        std::vector<SortEntry> v;
        for (int i = 0; i < 100; ++i)
            v.push_back(SortEntry{QString::number((i * 37) % 100), 0});
        const QStringList before = paths(v);
        int asked = 0;
        const bool done = sort_entries(v, false, false, [&] { return ++asked > 2; });
        QVERIFY(!done);
        QCOMPARE(asked, 3);
        QStringList after = paths(v);
        QVERIFY(after != before);
        after.sort();
        QStringList sorted_before = before;
        sorted_before.sort();
        QCOMPARE(after, sorted_before);
    }
};

QTEST_GUILESS_MAIN(tst_slide_sort)
#include "tst_slide_sort.moc"
