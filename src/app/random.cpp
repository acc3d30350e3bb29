// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/random.h"

#include "app/clock.h"

#include <random>

namespace lf {
namespace {
std::mt19937 &engine()
{
    static std::mt19937 e(12345u);
    return e;
}
} // namespace

void seed_random(std::uint32_t seed) { engine().seed(seed); }

void seed_random_from_clock()
{
    seed_random(std::uint32_t(seconds_since_midnight() * 1000.0));
}

double rnd()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine());
}

int random_below(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine());
}

} // namespace lf
