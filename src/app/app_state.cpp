// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"

namespace lf {

AppState &app()
{
    static AppState s;
    return s;
}

void reset_app_state() { app() = AppState{}; }

bool cancel_was_pressed(const AppState &s)
{
    return s.wait_signal.compare(cancel_pressed, Qt::CaseInsensitive) == 0;
}

} // namespace lf
