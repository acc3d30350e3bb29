// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

class QWidget;

namespace lf {

// Outer (frame-inclusive) geometry of a top-level window, in twips, using the
// frame measured at start-up.
TwipRect outer_geometry(const QWidget *w);
void set_outer_geometry(QWidget *w, const TwipRect &r);
void set_outer_size(QWidget *w, int width, int height);
// Never above or left of the screen, so the title bar stays reachable.
void move_outer(QWidget *w, int left, int top);
// Geometry of a child control in twips.
void place_control(QWidget *c, const TwipRect &r);
TwipRect control_geometry(const QWidget *c);

// Centred on the screen above the taskbar, in the normal window state only
// (measures the taskbar afresh).
void center_on_work_area(QWidget *w);
// The same with the taskbar height stored at start-up, in any state.
void center_above_taskbar(QWidget *w);

} // namespace lf
