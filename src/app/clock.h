// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <functional>

namespace lf {

// Wall clock for the values the user sees and for seeding; tests fix it.
QDateTime now();
void set_clock(std::function<QDateTime()> fixed);
// Seconds since local midnight, with fractions.
double seconds_since_midnight();

} // namespace lf
