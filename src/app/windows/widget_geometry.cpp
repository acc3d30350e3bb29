#include "app/windows/widget_geometry.h"

#include "app/app_state.h"
#include "app/screen.h"

#include <QWidget>

namespace lf {

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
}

void move_outer(QWidget *w, int left, int top) { w->move(twips_to_px(left), twips_to_px(top)); }

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
