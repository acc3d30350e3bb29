// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

namespace lf {

// Geometry of the progress window, from the size of its text and button.
struct PleaseWaitLayout {
    int window_width = 0;
    int window_height = 0;
    TwipRect label;
    TwipRect button;
    bool button_visible = false;
};

inline constexpr int please_wait_min_width = 6000;

PleaseWaitLayout please_wait_layout(int label_width, int label_height, int button_width,
                                    int button_height, bool show_cancel);

} // namespace lf
