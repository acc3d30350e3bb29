// SPDX-License-Identifier: GPL-3.0-or-later
#include "motion/windows/form_nf2.h"

#include "app/clock.h"
#include "app/desktop_session.h"
#include "app/paths.h"
#include "app/process_end.h"
#include "app/random.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/twips.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "motion/motion_rules.h"
#include "motion/motion_state.h"
#include "slideshow/slide_list.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace lf {
namespace {

// Direction changes are timed on a monotonic clock, so midnight does not
// freeze them.
double monotonic_seconds()
{
    static QElapsedTimer since_start = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return since_start.elapsed() / 1000.0;
}

} // namespace

form_nf2::form_nf2() : QWidget(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("form_nf2"));
    setAttribute(Qt::WA_DeleteOnClose);
    picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("picture1"));
    picture1->setScaledContents(true);
    picture1->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(motion_interval_ms);
    connect(Timer1, &QTimer::timeout, this, &form_nf2::motion_tick);

    m_popup = new QMenu(QStringLiteral("popup"), this);
    m_popup->setObjectName(QStringLiteral("m_popup"));
    m_motion = m_popup->addAction(QStringLiteral("Motion on/off (M)"));
    m_motion->setObjectName(QStringLiteral("m_motion"));
    m_motion->setCheckable(true);
    m_normal_format = m_popup->addAction(QStringLiteral("Normal format (H)"));
    m_normal_format->setObjectName(QStringLiteral("m_normal_format"));
    m_exit = m_popup->addAction(QStringLiteral("&Exit"));
    m_exit->setObjectName(QStringLiteral("m_exit"));
    connect(m_motion, &QAction::triggered, this, [this] { set_motion(!Timer1->isActive()); });
    connect(m_normal_format, &QAction::triggered, this, [this] {
        slides().slide_show_active = false;
        hourglass(false);
        to_picture_window();
    });
    connect(m_exit, &QAction::triggered, this, [this] {
        if (slides().slide_show_active || registry().main_panel_loaded)
            windows().show_main_panel();
        close();
    });
}

form_nf2 *form_nf2::open_moving_window(const QString &path)
{
    hourglass(true);
    ++motion().moving_window_count;
    auto *w = new form_nf2;
    ViewerState &v = viewer();
    v.picture_to_open = path;
    w->load(path);

    if (v.picture_from_holder) {
        w->image_ = v.holder;
        v.holder = QImage();
        v.picture_from_holder = false;
    } else {
        w->image_ = load_picture(path);
        save_setting(key::last_picture_file, path);
        v.original_width = picture_px_to_twips(w->image_.width(), screen_pixel_ratio());
        v.original_height = picture_px_to_twips(w->image_.height(), screen_pixel_ratio());
        v.aspect_ratio = v.original_height > 0 ? double(v.original_width) / v.original_height : 0;
    }
    w->picture1->setPixmap(QPixmap::fromImage(w->image_));
    if (v.handover_height == 0) {
        v.handover_width = picture_px_to_twips(w->image_.width(), screen_pixel_ratio());
        v.handover_height = picture_px_to_twips(w->image_.height(), screen_pixel_ratio());
    }
    const int width = qMax(px_to_twips(1), v.handover_width);
    const int height = qMax(px_to_twips(1), v.handover_height);
    if (v.fresh_open) {
        const ScreenTwips s = screen_twips();
        w->set_geometry_twips((s.width - width) / 2, (s.work_height() - height) / 2, width, height);
        w->publish_anchor();
    } else {
        w->set_geometry_twips(v.anchor_left, v.anchor_top, width, height);
    }
    w->show();
    w->activateWindow();
    w->raise();
    hourglass(false);
    return w;
}

void form_nf2::load(const QString &path)
{
    tag_ = format_tag(motion().moving_window_count);
    path_ = path;
    if (QClipboard *cb = QGuiApplication::clipboard())
        cb->setText(path);
    add_tag(registry().open_moving_windows, tag_);
    if (motion().motion_on) {
        Timer1->start();
        m_motion->setChecked(true);
    }
    if (viewer().anchor_top != 0)
        move(twips_to_px(viewer().anchor_left), twips_to_px(viewer().anchor_top));
}

void form_nf2::set_geometry_twips(int left, int top, int width, int height)
{
    setGeometry(twips_to_px(left), twips_to_px(top), qMax(1, twips_to_px(width)),
                qMax(1, twips_to_px(height)));
    picture1->setGeometry(0, 0, this->width(), this->height());
}

void form_nf2::publish_anchor()
{
    viewer().anchor_left = px_to_twips(x());
    viewer().anchor_top = px_to_twips(y());
}

void form_nf2::sopra() { raise(); }

void form_nf2::set_motion(bool on)
{
    // A Wayland compositor does not let the window drift.
    if (on && !placement_possible_or_say_so(QGuiApplication::platformName()))
        on = false;
    motion().motion_on = on;
    if (on)
        Timer1->start();
    else
        Timer1->stop();
    m_motion->setChecked(on);
}

void form_nf2::motion_tick()
{
    const ScreenTwips s = screen_twips();
    const TwipRect here{px_to_twips(x()), px_to_twips(y()), px_to_twips(width()),
                        px_to_twips(height())};
    const MotionTick t = lf::motion_tick(motion(), here, s.width, s.height, monotonic_seconds(),
                                         [] { return rnd(); });
    if (t.to_top || t.sopra)
        sopra();
    move(twips_to_px(t.left), twips_to_px(t.top));
}

void form_nf2::resize_by_key(QChar key)
{
    const ScreenTwips s = screen_twips();
    const TwipRect here{px_to_twips(x()), px_to_twips(y()), px_to_twips(width()),
                        px_to_twips(height())};
    TwipRect g;
    if (key == QLatin1Char('+'))
        g = grow_moving(here, s.width, s.work_height());
    else if (key == QLatin1Char('-'))
        g = shrink_moving(here);
    else
        g = fill_moving(s.width, s.work_height());
    const ViewerState &v = viewer();
    g = fit_moving(g, v.original_width > v.original_height, v.aspect_ratio);
    set_geometry_twips(g.left, g.top, g.width, g.height);
    viewer().handover_width = px_to_twips(width());
    viewer().handover_height = px_to_twips(height());
}

void form_nf2::hold_picture_for_next()
{
    motion().drag_origin_x = motion().drag_origin_y = 0;
    hold_for_next_window(viewer(), path_, image_, px_to_twips(x()), px_to_twips(y()),
                         px_to_twips(width()), px_to_twips(height()));
}

void form_nf2::to_picture_window()
{
    hold_picture_for_next();
    viewer().fresh_open = false;
    windows().new_picture_window();
    do_events();
    close();
}

void form_nf2::to_full_screen()
{
    motion().ignore_next_drag_over = true;
    hold_picture_for_next();
    windows().open_slide_show_window();
    do_events();
    close();
}

void form_nf2::keyPressEvent(QKeyEvent *e)
{
    const int k = e->key();
    if (k == Qt::Key_Menu && e->modifiers() == Qt::NoModifier) {
        m_popup->popup(mapToGlobal(QPoint(width() / 2, height() / 2)));
        return;
    }
    if (k == Qt::Key_M) {
        set_motion(!motion().motion_on);
        return;
    }
    if (k == Qt::Key_H) {
        to_picture_window();
        return;
    }
    if (k == Qt::Key_Escape) {
        windows().end_process();
        return;
    }
    if (k == Qt::Key_C) {
        const ScreenTwips s = screen_twips();
        move(twips_to_px((s.width - px_to_twips(width())) / 2),
             twips_to_px((s.work_height() - px_to_twips(height())) / 2));
        return;
    }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        to_full_screen();
        return;
    }
    const QString text = e->text();
    if (text == QLatin1String("+") || text == QLatin1String("-") || text == QLatin1String("*")) {
        resize_by_key(text[0]);
        return;
    }
    QWidget::keyPressEvent(e);
}

void form_nf2::mousePressEvent(QMouseEvent *e)
{
    // Outside the picture: back to a framed window on the file.
    if (e->button() == Qt::LeftButton && !picture1->geometry().contains(e->position().toPoint())) {
        viewer().fresh_open = false;
        windows().new_picture_window();
        close();
    }
}

bool form_nf2::eventFilter(QObject *o, QEvent *e)
{
    if (o != picture1)
        return QWidget::eventFilter(o, e);
    MotionState &m = motion();
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() == Qt::RightButton) {
            m_popup->popup(me->globalPosition().toPoint());
            return true;
        }
        if (me->button() == Qt::LeftButton) {
            // Where the program cannot move windows, the compositor can.
            if (!platform_places_windows(QGuiApplication::platformName()) && windowHandle()
                && windowHandle()->startSystemMove())
                return true;
            m.drag_origin_x = px_to_twips(int(me->position().x()));
            m.drag_origin_y = px_to_twips(int(me->position().y()));
            dragging_ = true;
        }
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (!dragging_)
            return false;
        if (m.ignore_next_drag_over) {
            m.ignore_next_drag_over = false;
            return true;
        }
        const int dx = px_to_twips(int(me->position().x())) - m.drag_origin_x;
        const int dy = px_to_twips(int(me->position().y())) - m.drag_origin_y;
        if (dx != 0 || dy != 0) {
            move(x() + twips_to_px(dx), y() + twips_to_px(dy));
            publish_anchor();
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
            m.drag_origin_x = m.drag_origin_y = 0;
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        dragging_ = false;
        to_full_screen();
        return true;
    default:
        return QWidget::eventFilter(o, e);
    }
}

void form_nf2::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        viewer().last_viewer = QStringLiteral("nf2");
}

void form_nf2::closeEvent(QCloseEvent *e)
{
    if (closing_) {
        QWidget::closeEvent(e);
        return;
    }
    closing_ = true;
    Timer1->stop();
    QWidget::closeEvent(e);
    if (!remove_tag(registry().open_moving_windows, tag_)) {
        stop_on_missing_tag();
        return;
    }
    after_viewing_window_closed();
}

} // namespace lf
