// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace lf {

// Runs the start-up steps and opens the first window. The caller then runs
// the event loop.
void start_up(const QStringList &arguments_after_program);

// Start-up's frame measurement and taskbar height, into the shared state.
void measure_desktop();

} // namespace lf
