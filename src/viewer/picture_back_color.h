// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace lf {

// The picture windows' background colour, stored in the settings as the
// number 0x00BBGGRR.
QColor picture_back_color();
void save_picture_back_color(const QColor &c);

} // namespace lf
