// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"
#include "motion/motion_state.h"

#include <functional>

namespace lf {

struct MotionTick {
    int left = 0;
    int top = 0;
    bool to_top = false; // bring the window to the top of the window order
    bool sopra = false;  // bring it to the front
};

// One tick of the drift: `random` gives numbers in [0, 1) in the order the
// tick needs them; `clock` is seconds on a monotonic clock.
MotionTick motion_tick(MotionState &s, const TwipRect &window, int screen_width,
                       int screen_height, double clock, const std::function<double()> &random);

// The size keys of the moving window, then the fit that gives the window
// the picture's proportions. All in twips; work_height excludes the taskbar.
TwipRect grow_moving(const TwipRect &w, int screen_width, int work_height);
TwipRect shrink_moving(const TwipRect &w);
TwipRect fill_moving(int screen_width, int work_height);
// landscape: original width > original height.
TwipRect fit_moving(const TwipRect &w, bool landscape, double aspect_ratio);

} // namespace lf
