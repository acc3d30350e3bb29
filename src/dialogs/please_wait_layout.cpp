// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/please_wait_layout.h"

namespace lf {

PleaseWaitLayout please_wait_layout(int label_width, int label_height, int button_width,
                                    int button_height, bool show_cancel)
{
    PleaseWaitLayout l;
    l.window_width = label_width + 600;
    if (l.window_width < please_wait_min_width)
        l.window_width = please_wait_min_width;
    l.label = {(l.window_width - label_width) / 2, 400, label_width, label_height};
    l.window_height = bottom_edge(l.label) + 500;
    l.button = {(l.window_width - button_width) / 2, bottom_edge(l.label) + 200, button_width,
                button_height};
    l.button_visible = show_cancel;
    if (show_cancel)
        l.window_height = bottom_edge(l.button) + 320;
    return l;
}

} // namespace lf
