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

    void show_main_panel() override { calls << QStringLiteral("show_main_panel"); }
    void place_main_panel_at_start() override { calls << QStringLiteral("place_main_panel"); }
    void associate_menu_enabled(bool e) override
    {
        calls << QStringLiteral("associate_menu_enabled %1").arg(e ? "true" : "false");
    }
    void open_picture(const QString &path, bool keep) override
    {
        calls << QStringLiteral("open_picture %1 %2").arg(path, keep ? "true" : "false");
    }
    void new_picture_window() override { calls << QStringLiteral("new_picture_window"); }
    void open_moving_window(const QString &path) override
    {
        calls << QStringLiteral("open_moving_window ") + path;
    }
    void open_slide_show_window() override { calls << QStringLiteral("open_slide_show_window"); }
    void load_thumbnail_sheet() override { calls << QStringLiteral("load_thumbnail_sheet"); }
    void raise_thumbnail_sheet() override { calls << QStringLiteral("raise_thumbnail_sheet"); }
    void show_please_wait(const QString &t) override { calls << QStringLiteral("please_wait ") + t; }
    void unload_please_wait() override { calls << QStringLiteral("unload_please_wait"); }
    void beep() override { calls << QStringLiteral("beep"); }
    void end_process() override { calls << QStringLiteral("end_process"); }
};

} // namespace lf::test
