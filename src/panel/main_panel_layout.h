// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

#include <QHash>
#include <QString>

#include <array>

namespace lf {

// Measures the panel takes from its font (twips).
struct MainPanelMeasures {
    std::array<int, 3> find_label_widths{}; // lab_string1 .. lab_string3
};

// Where every control of the main panel goes, by object name. Controls
// inside a frame are placed relative to their frame.
struct MainPanelLayout {
    QHash<QString, TwipRect> rects;
    int client_width = 0;
    int client_height = 0;
};

namespace panel_layout {
inline constexpr int margin = 60;
inline constexpr int gap = 45;
inline constexpr int frame_width = 2680;
inline constexpr int frame_first_top = 300; // below the frame's caption
inline constexpr int frame_inner_left = 90;
inline constexpr int frame_bottom_pad = 120;
inline constexpr int search_field_base = 2500;
inline constexpr int list_height = 2400;
// Window height below List1's bottom edge: frame and margin, and the menu bar.
inline constexpr int below_list = 495;
inline constexpr int menu_bar = 350;
} // namespace panel_layout

// Whole multiple of 15 twips (one pixel), rounded down.
constexpr int whole_pixels(int twips) { return twips / twips_per_pixel * twips_per_pixel; }
inline constexpr int panel_button_width = whole_pixels(2500);
inline constexpr int panel_button_height = whole_pixels(300);
inline constexpr int search_field_height = whole_pixels(250);

MainPanelLayout main_panel_layout(const MainPanelMeasures &m);
// The window's height as Activate sets it (nominal frame and menu bar).
constexpr int main_panel_height(int list1_bottom, bool menu_bar_visible)
{
    return list1_bottom + panel_layout::below_list + (menu_bar_visible ? panel_layout::menu_bar : 0);
}

} // namespace lf
