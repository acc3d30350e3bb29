// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_session.h"

#include "app/app_state.h"
#include "app/prompt.h"

namespace lf {

QString preferred_platform(const QString &qt_qpa_platform, const QString &wayland_display,
                           const QString &display, const QString &session_type)
{
    if (!qt_qpa_platform.isEmpty() || display.isEmpty())
        return {};
    if (!wayland_display.isEmpty() || session_type == QLatin1String("wayland"))
        return QStringLiteral("xcb");
    return {};
}

bool platform_places_windows(const QString &platform_name)
{
    return !platform_name.startsWith(QLatin1String("wayland"));
}

bool placement_possible_or_say_so(const QString &platform_name)
{
    if (platform_places_windows(platform_name))
        return true;
    if (!app().placement_notice_given) {
        app().placement_notice_given = true;
        notify(placement_notice);
    }
    return false;
}

} // namespace lf
