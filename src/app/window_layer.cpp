// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_layer.h"

namespace lf {
namespace {

class NoWindows final : public WindowLayer {
public:
    void show_main_panel() override {}
    void place_main_panel_at_start() override {}
    void associate_menu_enabled(bool) override {}
    void open_picture(const QString &, bool) override {}
    void new_picture_window() override {}
    void open_moving_window(const QString &) override {}
    void open_slide_show_window() override {}
    void load_thumbnail_sheet() override {}
    void raise_thumbnail_sheet() override {}
    void show_please_wait(const QString &) override {}
    void unload_please_wait() override {}
    void beep() override {}
    void end_process() override {}
};

NoWindows none;
WindowLayer *current = &none;

} // namespace

WindowLayer &windows() { return *current; }
void set_windows(WindowLayer *w) { current = w ? w : &none; }

} // namespace lf
