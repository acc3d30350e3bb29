// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// The Qt platform plugin to ask for before the application object exists,
// or "" to leave Qt's own choice. On a Wayland session that also offers an
// X display (Xwayland) the program runs on X11: only there can it place its
// windows, move the moving picture window and park the pointer. A platform
// the user chose (QT_QPA_PLATFORM) is kept.
QString preferred_platform(const QString &qt_qpa_platform, const QString &wayland_display,
                           const QString &display, const QString &session_type);

// Whether windows on this Qt platform can be placed by the program and the
// pointer moved (not on a Wayland compositor).
bool platform_places_windows(const QString &platform_name);

// For the commands that need placement: says once per process, through the
// prompt service, that this desktop does not allow it. Returns whether the
// command can work.
bool placement_possible_or_say_so(const QString &platform_name);

inline const QString placement_notice = QStringLiteral(
    "This desktop does not let programs place their windows or move the mouse pointer, "
    "so window placement, the moving picture window's motion and pointer parking do not "
    "work here. They work in an X11 session, or where Xwayland is available.");

} // namespace lf
