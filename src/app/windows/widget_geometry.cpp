// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/widget_geometry.h"

#include "app/app_state.h"
#include "app/screen.h"
#include "app/windows/x11_desktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QVariant>
#include <QWidget>

#include <cmath>
#include <optional>

namespace lf {
namespace {

const char outer_pos_key[] = "lf_outer_pos";
const char outer_size_key[] = "lf_outer_size";

// The window manager's frame around the window, in logical pixels, once it
// has put one there.
std::optional<QMargins> real_frame(const QWidget *w)
{
    const auto e = x11::frame_extents(w->internalWinId());
    if (!e)
        return std::nullopt;
    const qreal dpr = w->devicePixelRatioF();
    const auto logical = [dpr](int px) { return int(std::ceil(px / dpr)); };
    return QMargins(logical(e->left()), logical(e->top()), logical(e->right()), logical(e->bottom()));
}

// Qt may not have read the frame yet: the inside goes where the frame puts it.
void place_framed(QWidget *w, const QPoint &outer, const QMargins &frame)
{
    const QPoint inside = outer + QPoint(frame.left(), frame.top());
    if (w->geometry().topLeft() != inside)
        w->setGeometry(QRect(inside, w->size()));
}

// A window placed before the window manager framed it was sized with the
// frame estimated at start-up; and one that already existed then was moved
// by its client area, which put its title bar above the point asked for.
// Once the manager has framed it, this applies the outer geometry asked for
// again.
void correct_when_framed(QWidget *w)
{
    const auto frame = real_frame(w);
    const QVariant pos = w->property(outer_pos_key);
    const QVariant size = w->property(outer_size_key);
    if (!frame || (!pos.isValid() && !size.isValid()))
        return;
    w->setProperty(outer_pos_key, QVariant());
    w->setProperty(outer_size_key, QVariant());
    const QSize extra(frame->left() + frame->right(), frame->top() + frame->bottom());
    if (size.isValid() && w->size() + extra != size.toSize())
        w->resize((size.toSize() - extra).expandedTo(QSize(1, 1)));
    if (pos.isValid())
        place_framed(w, pos.toPoint(), *frame);
}

// Keeps what was asked for until an X11 window manager has framed the
// window (elsewhere nobody frames windows where the program places them).
// `applied`: it was placed by the real frame already, and nothing older may
// undo that when the frame's announcement arrives.
void remember_until_framed(QWidget *w, const char *key, const QVariant &value, bool applied)
{
    static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    if (!x11 || !w->isWindow() || (w->windowFlags() & Qt::FramelessWindowHint)
        || (app().frame_width == 0 && app().frame_height == 0))
        return;
    if (applied) {
        w->setProperty(key, QVariant());
        return;
    }
    static const bool watching = [] {
        x11::watch_frame_extents([](WId id) {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->internalWinId() == id)
                    correct_when_framed(top);
        });
        return true;
    }();
    Q_UNUSED(watching);
    w->setProperty(key, value);
    // The frame may have come while this was placed: its announcement is
    // then past.
    if (real_frame(w))
        correct_when_framed(w);
}

} // namespace

TwipRect outer_geometry(const QWidget *w)
{
    const QPoint p = w->pos();
    return {px_to_twips(p.x()), px_to_twips(p.y()), px_to_twips(w->width()) + app().frame_width,
            px_to_twips(w->height()) + app().frame_height};
}

void set_outer_size(QWidget *w, int width, int height)
{
    w->resize(qMax(1, twips_to_px(width - app().frame_width)),
              qMax(1, twips_to_px(height - app().frame_height)));
    remember_until_framed(w, outer_size_key, QSize(twips_to_px(width), twips_to_px(height)), false);
}

void move_outer(QWidget *w, int left, int top)
{
    // A window larger than the screen keeps its title bar and its left edge
    // on it; the rest reaches past the bottom or the right instead.
    const QPoint p(twips_to_px(qMax(0, left)), twips_to_px(qMax(0, top)));
    const auto frame = real_frame(w);
    if (frame)
        place_framed(w, p, *frame);
    else
        w->move(p);
    remember_until_framed(w, outer_pos_key, p, bool(frame));
}

void set_outer_geometry(QWidget *w, const TwipRect &r)
{
    move_outer(w, r.left, r.top);
    set_outer_size(w, r.width, r.height);
}

void place_control(QWidget *c, const TwipRect &r)
{
    c->setGeometry(twips_to_px(r.left), twips_to_px(r.top), qMax(0, twips_to_px(r.width)),
                   qMax(0, twips_to_px(r.height)));
}

TwipRect control_geometry(const QWidget *c)
{
    const QRect g = c->geometry();
    return {px_to_twips(g.x()), px_to_twips(g.y()), px_to_twips(g.width()),
            px_to_twips(g.height())};
}

namespace {
void center_with_taskbar(QWidget *w, int taskbar)
{
    const ScreenTwips s = screen_twips();
    const TwipRect g = outer_geometry(w);
    move_outer(w, (s.width - g.width) / 2, (s.height - taskbar - g.height) / 2);
}
} // namespace

void center_on_work_area(QWidget *w)
{
    if (w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    center_with_taskbar(w, taskbar_height());
}

void center_above_taskbar(QWidget *w) { center_with_taskbar(w, app().taskbar_height); }

} // namespace lf
