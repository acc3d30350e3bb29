// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_sort.h"

#include <algorithm>

namespace lf {
namespace {

struct Keyed {
    QString key; // case-folded path
    qint64 time_ms;
    int index;
};

} // namespace

bool sort_entries(std::vector<SortEntry> &entries, bool by_datetime, bool descending,
                  const std::function<bool()> &stop_requested)
{
    const size_t n = entries.size();
    std::vector<Keyed> a;
    a.reserve(n);
    for (size_t i = 0; i < n; ++i)
        a.push_back(Keyed{by_datetime ? QString() : entries[i].path.toCaseFolded(),
                          entries[i].time_ms, int(i)});

    // "b belongs strictly before a": only then does b overtake a, so equal
    // keys never change places.
    auto before = [by_datetime, descending](const Keyed &b, const Keyed &a) {
        if (by_datetime)
            return descending ? b.time_ms > a.time_ms : b.time_ms < a.time_ms;
        const int c = b.key.compare(a.key);
        return descending ? c > 0 : c < 0;
    };

    bool stopped = false;
    std::vector<Keyed> buffer(n);
    for (size_t width = 1; width < n; width *= 2) {
        if (stop_requested && stop_requested()) {
            stopped = true;
            break;
        }
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = before(a[j], a[i]) ? std::move(a[j++]) : std::move(a[i++]);
            while (i < mid)
                buffer[k++] = std::move(a[i++]);
            while (j < hi)
                buffer[k++] = std::move(a[j++]);
        }
        a.swap(buffer);
    }

    std::vector<SortEntry> out;
    out.reserve(n);
    for (const Keyed &k : a)
        out.push_back(std::move(entries[size_t(k.index)]));
    entries.swap(out);
    return !stopped;
}

} // namespace lf
