// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// Which viewing windows are open. Each list holds "|" + four-digit tag per
// window; the process lives while anything here is open.
struct WindowRegistry {
    QString open_picture_windows;
    QString open_slide_show_windows;
    QString open_moving_windows;
    bool thumbnails_open = false;
    bool main_panel_loaded = false;
    bool busy_opening = false;

    bool any_viewing_window() const
    {
        return !open_picture_windows.isEmpty() || !open_slide_show_windows.isEmpty()
            || !open_moving_windows.isEmpty() || thumbnails_open;
    }
};

WindowRegistry &registry();
void reset_registry();

// "0007" for 7; numbers past 9999 keep all their digits.
QString format_tag(int number);
// Appends "|" + tag unless it is already listed.
void add_tag(QString &list, const QString &tag);
// Cuts "|" + tag out of the list; false when it was not listed.
bool remove_tag(QString &list, const QString &tag);

// What a window must do after it has deregistered itself.
enum class AfterClose { EndProcess, ShowMainPanel, Nothing };
AfterClose after_viewing_window_closed(const WindowRegistry &r);
AfterClose after_main_panel_closed(const WindowRegistry &r);
// The ghost window's once-a-second check.
bool nothing_left_open(const WindowRegistry &r);

inline const QString tag_missing_message = QStringLiteral("error 2000 06 02");

} // namespace lf
