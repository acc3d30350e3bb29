#include "app/windows/widget_geometry.h"

#include "app/app_state.h"
#include "app/screen.h"
#include "app/windows/x11_desktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace lf {
namespace {

const char outer_pos_key[] = "lf_outer_pos";
const char outer_size_key[] = "lf_outer_size";

// The window manager's frame once it has framed the window, else nothing.
std::optional<QMargins> real_frame(const QWidget *w)
{
    const QWindow *h = w->windowHandle();
    if (!h || !w->isVisible() || h->frameMargins().isNull())
        return std::nullopt;
    return h->frameMargins();
}

// A window placed before the window manager framed it was sized with the
// frame estimated at start-up; and one that already existed then was moved
// by its client area, which put its title bar above the point asked for.
// Once the frame is there, this applies the outer geometry asked for again.
void correct_if_framed(QWidget *w)
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
    const QPoint frame_at = w->geometry().topLeft() - QPoint(frame->left(), frame->top());
    if (pos.isValid() && frame_at != pos.toPoint())
        w->move(pos.toPoint());
}

// The window manager says it has framed a window (X11), or the window
// moved or was resized after mapping (any platform).
class FrameCorrection : public QObject {
public:
    FrameCorrection()
    {
        x11::watch_frame_extents([](WId id) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->internalWinId() == id)
                    correct_if_framed(w);
        });
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)
            correct_if_framed(static_cast<QWidget *>(o));
        return false;
    }
};

// Keeps what was asked for until a window manager has framed the window.
void correct_when_framed(QWidget *w, const char *key, const QVariant &value)
{
    // Only an X11 window manager frames windows where the program places
    // them (the offscreen platform's margins are made up).
    static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    static FrameCorrection correction;
    if (!x11 || !w->isWindow() || (w->windowFlags() & Qt::FramelessWindowHint) || real_frame(w)
        || (app().frame_width == 0 && app().frame_height == 0))
        return;
    w->setProperty(key, value);
    w->removeEventFilter(&correction);
    w->installEventFilter(&correction);
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
    correct_when_framed(w, outer_size_key, QSize(twips_to_px(width), twips_to_px(height)));
}

void move_outer(QWidget *w, int left, int top)
{
    const QPoint p(twips_to_px(left), twips_to_px(top));
    w->move(p);
    correct_when_framed(w, outer_pos_key, p);
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
