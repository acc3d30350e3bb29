// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screen.h"

#include "app/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace lf {
namespace {
std::optional<ScreenTwips> fixed_screen;
}

ScreenTwips screen_twips()
{
    if (fixed_screen)
        return *fixed_screen;
    ScreenTwips s;
    const QScreen *scr = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                             ? QGuiApplication::primaryScreen() : nullptr;
    if (!scr) {
        s.width = px_to_twips(1024);
        s.height = px_to_twips(768);
        return s;
    }
    const QRect g = scr->geometry();
    const QRect a = scr->availableGeometry();
    s.width = px_to_twips(g.width());
    s.height = px_to_twips(g.height());
    s.taskbar = px_to_twips(qMax(0, g.height() - a.height()));
    return s;
}

double screen_pixel_ratio()
{
    const QScreen *scr = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                             ? QGuiApplication::primaryScreen() : nullptr;
    return scr && scr->devicePixelRatio() > 0 ? scr->devicePixelRatio() : 1.0;
}

void set_screen_twips(std::optional<ScreenTwips> fixed) { fixed_screen = fixed; }

} // namespace lf
