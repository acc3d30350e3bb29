// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QWindow>

#include <functional>
#include <optional>

class QWidget;

// What the program asks of an X11 window manager directly, where Qt has no
// call for it. Every function does nothing (or answers "unknown") on other
// platforms.
namespace lf::x11 {

// A window manager has announced itself on the screen (EWMH).
bool window_manager_running();

// Keeps a window out of taskbars, pagers and window lists. Call before the
// window is first shown.
void skip_window_lists(QWidget *w);

// The frame the window manager would give a normal window, asked without
// mapping any window (_NET_REQUEST_FRAME_EXTENTS); empty when the manager
// does not answer within `timeout_ms`.
std::optional<QMargins> requested_frame_extents(int timeout_ms);

// The frame a window manager has put around one of our windows
// (_NET_FRAME_EXTENTS, device pixels), or nothing while it has not.
std::optional<QMargins> frame_extents(WId window);

// Calls `framed` (from the event loop, after Qt has seen the event) each
// time a window manager sets the frame extents of one of our windows.
void watch_frame_extents(std::function<void(WId)> framed);

} // namespace lf::x11
