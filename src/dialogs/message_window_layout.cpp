// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/message_window_layout.h"

namespace lf {

MessageWindowLayout message_window_layout(int w, int h, bool normal_state)
{
    MessageWindowLayout l;
    constexpr int button_width = 1500;
    constexpr int button_height = 300;
    l.text.top = 90;
    l.button.height = button_height;
    l.button.width = button_width;
    l.text.width = w - 300;
    l.text.left = (w - 90 - l.text.width) / 2;
    if (normal_state && h < message_window_min_height)
        h = message_window_min_height;
    l.height = h;
    l.text.height = h - button_height - 650 - 200;
    l.button.top = l.text.top + l.text.height + 120;
    l.button.left = (w - 90 - button_width) / 2;
    return l;
}

} // namespace lf
