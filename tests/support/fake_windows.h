// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/window_layer.h"

#include <QStringList>

namespace lf::test {

// Records which windows the logic would open, as readable lines.
class FakeWindows : public WindowLayer {
public:
    FakeWindows() { set_windows(this); }
    ~FakeWindows() override { set_windows(nullptr); }

    QStringList calls;

    void show_main_panel() override { calls << "show_main_panel"; }
    void place_main_panel_at_start() override { calls << "place_main_panel"; }
    static const char *tf(bool b) { return b ? "true" : "false"; }
    void associate_menu_enabled(bool e) override { calls << QString("associate_menu_enabled ") + tf(e); }
    void open_picture(const QString &path, bool keep) override { calls << "open_picture " + path + ' ' + tf(keep); }
    void new_picture_window() override { calls << "new_picture_window"; }
    void open_moving_window(const QString &path) override { calls << "open_moving_window " + path; }
    void open_slide_show_window() override { calls << "open_slide_show_window"; }
    void load_thumbnail_sheet() override { calls << "load_thumbnail_sheet"; }
    void raise_thumbnail_sheet() override { calls << "raise_thumbnail_sheet"; }
    void show_please_wait(const QString &t) override { calls << "please_wait " + t; }
    void unload_please_wait() override { calls << "unload_please_wait"; }
    void beep() override { calls << "beep"; }
    void end_process() override { calls << "end_process"; }
};

} // namespace lf::test
