// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/frame_metrics.h"

#include "app/app_state.h"
#include "app/twips.h"
#include "app/windows/x11_desktop.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace lf {

QSize measure_frame()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {0, 0};
    if (platform == QLatin1String("xcb")) {
        // Without a window manager nobody draws frames.
        if (!x11::window_manager_running())
            return {0, 0};
        // Asked of the manager for a window that is never mapped: no probe
        // window ever shows on screen.
        if (const auto m = x11::requested_frame_extents(200)) {
            // The manager counts device pixels; twips count logical ones.
            const qreal dpr = qGuiApp->primaryScreen() ? qGuiApp->primaryScreen()->devicePixelRatio() : 1.0;
            const auto logical = [dpr](int px) { return px_to_twips(int(std::ceil(px / dpr))); };
            return {logical(m->left() + m->right()), logical(m->top() + m->bottom())};
        }
    }
    // An estimate; each window corrects its place once it is framed.
    return {nominal_frame_width, nominal_frame_height};
}

} // namespace lf
