#pragma once

namespace lf {

// Deletes tmp_pic_dir with its files (failures ignored) and ends the process.
void cleanup_and_end();
// Ends a viewing window's life in the registry: shows the main panel or
// ends the process, as the remaining windows require.
void after_viewing_window_closed();
// The same for the main panel's unload.
void after_main_panel_closed();
// Called when a window's tag is missing from its list: the registry is
// inconsistent, so the program stops after saying so.
void stop_on_missing_tag();

} // namespace lf
