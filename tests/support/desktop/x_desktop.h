// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QStringList>

class QWidget;

// What the X server and the window manager (openbox on the rig) say about the
// test's windows, read over Qt's own X connection. Ids are QWidget::winId().
namespace lf::desk {

using WindowId = quint32;

WindowId id_of(const QWidget *w);
// _NET_CLIENT_LIST_STACKING, bottom to top.
QList<WindowId> stacking();
// _NET_CLIENT_LIST.
QList<WindowId> client_list();
WindowId active_window();
// _NET_WM_STATE atom names (e.g. "_NET_WM_STATE_SKIP_TASKBAR").
QStringList wm_state(WindowId w);
// The outer rectangle on the screen, frame (_NET_FRAME_EXTENTS) included, in device pixels.
QRect frame_rect(WindowId w);
QRect screen_rect();
// Whether `upper` is stacked above `lower` (both must be managed).
bool above(WindowId upper, WindowId lower);

// Returns once the window manager has handled every earlier event (a
// _NET_REQUEST_FRAME_EXTENTS round trip): no guessed delay after a click or key.
void sync_with_window_manager();

// Real input through the X server (xdotool): a key by its X keysym name
// ("Return", "ctrl+h"), a left click at a screen point.
void key(const QString &keys);
void click(const QPoint &screen_point);

} // namespace lf::desk
