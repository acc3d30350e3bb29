// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace lf {

// The number a text stands for when the whole text (blanks around it
// allowed) is one decimal number: "12", " -3.5 ", "1e3". Anything else,
// including "", "12abc" and "abc", is not a number.
std::optional<double> numeric_text(const QString &s);
// Nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4).
double round_half_even(double v);
// numeric_text rounded half to even, when it fits in [low, high].
std::optional<int> whole_number_in(const QString &s, int low, int high);

} // namespace lf
