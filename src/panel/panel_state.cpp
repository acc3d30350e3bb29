// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_state.h"

namespace lf {

PanelState &panel_state()
{
    static PanelState s;
    return s;
}

void reset_panel_state() { panel_state() = PanelState{}; }

} // namespace lf
