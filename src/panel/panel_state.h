// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lf {

// Options of the main panel that other windows read.
struct PanelState {
    bool black_screen = false;
    bool black_screen_loaded = false;
    bool sort_descending = false;
    bool sort_by_datetime = false;
    bool interval_changed = false;
};

PanelState &panel_state();
void reset_panel_state();

} // namespace lf
