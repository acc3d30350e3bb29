// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lf {

// The process's one random sequence: seeded once at start-up from the clock,
// or by a test that wants a repeatable order.
void seed_random(std::uint32_t seed);
void seed_random_from_clock();
// A number in [0, 1).
double rnd();
// An integer in [0, n) for n > 0, else 0.
int random_below(int n);

} // namespace lf
