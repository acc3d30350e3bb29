// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_numbers.h"

#include <QRegularExpression>

#include <cmath>

namespace lf {

std::optional<double> numeric_text(const QString &s)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (s.size() > 64 || !number.match(s).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double round_half_even(double v) { return std::nearbyint(v); }

std::optional<int> whole_number_in(const QString &s, int low, int high)
{
    const auto v = numeric_text(s);
    if (!v)
        return std::nullopt;
    const double r = round_half_even(*v);
    if (r < low || r > high)
        return std::nullopt;
    return int(r);
}

} // namespace lf
