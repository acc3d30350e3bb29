// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lf {

// Deletes tmp_pic_dir with its files (failures ignored) and ends the process.
void cleanup_and_end();
// Ends a viewing window's life in the registry: shows the main panel or
// ends the process, as the remaining windows require.
void after_viewing_window_closed();
// The same for the main panel's unload.
void after_main_panel_closed();
// SIGTERM, SIGHUP and SIGINT end the program as closing its last window
// does: each window unloads (a running show saves its progress as ESC
// would, without a question), then tmp_pic goes. Installed once.
void end_on_signals();
// What such a signal does, on the user-interface thread.
void end_on_signal();
// Called when a window's tag is missing from its list: the registry is
// inconsistent, so the program stops after saying so.
void stop_on_missing_tag();

} // namespace lf
