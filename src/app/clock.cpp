// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/clock.h"

namespace lf {
namespace {
std::function<QDateTime()> fixed_clock;
}

QDateTime now() { return fixed_clock ? fixed_clock() : QDateTime::currentDateTime(); }

void set_clock(std::function<QDateTime()> fixed) { fixed_clock = std::move(fixed); }

double seconds_since_midnight()
{
    const QTime t = now().time();
    return t.msecsSinceStartOfDay() / 1000.0;
}

} // namespace lf
