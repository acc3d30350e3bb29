// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the benchmark programs: medians, the alternating run, and the
// one line per comparison that bench/run collects.

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

inline constexpr int rounds = 5;

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double ms_of(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// One warm-up of each, then `rounds` times ours and the peer in turn; each
// function returns its own measurement. Returns the two medians.
inline std::pair<double, double> alternate(const std::function<double()> &ours,
                                           const std::function<double()> &peer)
{
    ours();
    peer();
    std::vector<double> a, b;
    for (int i = 0; i < rounds; ++i) {
        a.push_back(ours());
        b.push_back(peer());
    }
    return {median(a), median(b)};
}

inline void report(const char *name, const char *peer, double ours, double theirs,
                   const char *unit = "ms")
{
    std::printf("BENCH %s: ours %.0f %s, %s %.0f %s, ratio %.2f\n", name, ours, unit, peer,
                theirs, unit, theirs > 0 ? ours / theirs : 0.0);
    std::fflush(stdout);
}

} // namespace bench
