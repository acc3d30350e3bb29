// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace lf {

// Shared by all moving picture windows, so that several drift alike.
struct MotionState {
    bool motion_on = false;
    int drag_origin_x = 0; // twips inside the picture; 0 = no drag
    int drag_origin_y = 0;
    bool ignore_next_drag_over = false;
    int horizontal_direction = 0; // 3 = left, 4 = right, 0 = not chosen
    int vertical_direction = 0;   // 1 = up, 2 = down, 0 = not chosen
    // Seconds on a monotonic clock; empty until the first tick.
    std::optional<double> next_horizontal_change;
    std::optional<double> next_vertical_change;
    int moving_window_count = 0;
};

inline constexpr int motion_step_twips = 15;
inline constexpr int motion_change_spread = 10;
inline constexpr int motion_interval_ms = 10;

MotionState &motion();
void reset_motion();

} // namespace lf
