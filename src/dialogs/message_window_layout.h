// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

namespace lf {

// Geometry of the message window's text box and OK button for an outer
// window size W x H (twips). In the normal state a window lower than the
// minimum is made that high first; `height` is the height to give it.
struct MessageWindowLayout {
    int height = 0;
    TwipRect text;
    TwipRect button;
};

inline constexpr int message_window_min_height = 2000;

MessageWindowLayout message_window_layout(int width, int height, bool normal_state);

} // namespace lf
