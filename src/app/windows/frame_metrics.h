// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

namespace lf {

// Outer minus inner size of a normal sizable window, in twips: the caption
// and both borders in height, both borders in width. Zero where no window
// manager draws frames.
QSize measure_frame();

} // namespace lf
