// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// How the logic opens and raises windows. The program installs the real
// windows; tests install a recorder and check what would have opened.
class WindowLayer {
public:
    virtual ~WindowLayer() = default;
    virtual void show_main_panel() = 0;
    // Centres the loaded main panel on the work area, then 200 twips higher.
    virtual void place_main_panel_at_start() = 0;
    virtual void associate_menu_enabled(bool enabled) = 0;
    virtual void open_picture(const QString &path, bool keep_crop_request) = 0;
    // A picture window over the hand-over values the caller set in viewer().
    virtual void new_picture_window() = 0;
    // A frameless moving window on path (or on the held picture).
    virtual void open_moving_window(const QString &path) = 0;
    // The full-screen window over the slide list.
    virtual void open_slide_show_window() = 0;
    // The thumbnail sheet window over the current thumbnail file.
    virtual void load_thumbnail_sheet() = 0;
    // Brings the loaded thumbnail sheet window to the front.
    virtual void raise_thumbnail_sheet() = 0;
    // The progress window (with Cancel when app().wait_signal asks for it),
    // shown by the caller's protocol: text set, shown, focused.
    virtual void show_please_wait(const QString &text) = 0;
    virtual void unload_please_wait() = 0;
    virtual void beep() = 0;
    // Deletes nothing; ends the process at once.
    virtual void end_process() = 0;
    // Closes every window as the user would, each running its unload.
    virtual void close_all_windows() {}
};

WindowLayer &windows();
// Installs w (not owned); nullptr restores a layer that does nothing.
void set_windows(WindowLayer *w);

} // namespace lf
