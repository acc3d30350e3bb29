// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace lf {

// The primary screen in twips. The taskbar is whatever the desktop keeps
// out of the work area (screen height minus available height).
struct ScreenTwips {
    int width = 0;
    int height = 0;
    int taskbar = 0;
    int work_height() const { return height - taskbar; }
};

ScreenTwips screen_twips();
inline int screen_width() { return screen_twips().width; }
inline int screen_height() { return screen_twips().height; }
// Measured afresh; start-up keeps its own copy in the application state.
inline int taskbar_height() { return screen_twips().taskbar; }

// Device pixels per logical pixel of the primary screen (2 on a screen
// scaled to 200 %).
double screen_pixel_ratio();

// Tests fix the screen (for example 9600 x 7200 with a 600-twip taskbar).
void set_screen_twips(std::optional<ScreenTwips> fixed);

} // namespace lf
