// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/window_layer.h"

namespace lf {

// Opens the program's real windows.
class QtWindowLayer : public WindowLayer {
public:
    void show_main_panel() override;
    void place_main_panel_at_start() override;
    void associate_menu_enabled(bool enabled) override;
    void open_picture(const QString &path, bool keep_crop_request) override;
    void new_picture_window() override;
    void open_moving_window(const QString &path) override;
    void open_slide_show_window() override;
    void load_thumbnail_sheet() override;
    void raise_thumbnail_sheet() override;
    void show_please_wait(const QString &text) override;
    void unload_please_wait() override;
    void beep() override;
    void end_process() override;
    void close_all_windows() override;
};

} // namespace lf
