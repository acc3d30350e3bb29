// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/windows/crop_controller.h"

#include "app/app_state.h"
#include "app/clock.h"
#include "app/desktop_session.h"
#include "app/screen.h"
#include "app/window_layer.h"
#include "app/windows/widget_geometry.h"
#include "motion/motion_state.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace lf {

CropController::CropController(QWidget *window, QWidget *picture, QAction *allow_cropping)
    : QObject(window), window_(window), picture_(picture), allow_cropping_(allow_cropping)
{
    setObjectName(QStringLiteral("crop_controller"));
    if (allow_cropping_)
        allow_cropping_->setCheckable(true);
    picture_->installEventFilter(this);
}

void CropController::bind_state(bool *crop_mode, bool *cropped)
{
    crop_mode_ = crop_mode ? crop_mode : &own_crop_mode_;
    cropped_ = cropped ? cropped : &own_cropped_;
}

void CropController::note_resize()
{
    if (*crop_mode_)
        *cropped_ = true;
}

void CropController::reset()
{
    *crop_mode_ = false;
    *cropped_ = false;
    dragging_ = false;
    if (allow_cropping_)
        allow_cropping_->setChecked(false);
    window_->unsetCursor();
    picture_->unsetCursor();
}

void CropController::toggle()
{
    *crop_mode_ = !*crop_mode_;
    if (allow_cropping_)
        allow_cropping_->setChecked(*crop_mode_);
    if (*crop_mode_) {
        window_->setCursor(Qt::SizeAllCursor);
        picture_->setCursor(Qt::SizeAllCursor);
    } else {
        window_->unsetCursor();
        picture_->unsetCursor();
    }
    const QPoint pointer = QCursor::pos() * twips_per_pixel;
    if (const auto centre = recentred_pointer(outer_geometry(window_), pointer);
        centre && placement_possible_or_say_so(QGuiApplication::platformName()))
        QCursor::setPos(*centre / twips_per_pixel);
    show_caption();
}

bool CropController::key_down(QKeyEvent *e)
{
    const double now = seconds_since_midnight();
    const double last = last_key_time_;
    last_key_time_ = now;
    if (!*crop_mode_)
        return false;
    const auto key = crop_key_for(e->key(), e->modifiers());
    if (!key)
        return false;
    const bool shift = e->modifiers().testFlag(Qt::ShiftModifier);
    const int m = last < 0 ? 1 : crop_step_factor(now, last, shift);
    const auto r = apply_crop_key(*key, shift, m, view(), app().frame_height);
    if (!r)
        return false;
    apply(r->view);
    show_caption();
    if (r->beep)
        windows().beep();
    return true;
}

CropView CropController::view() const
{
    const TwipRect p = control_geometry(picture_);
    const TwipRect w = outer_geometry(window_);
    return {p.left, p.top, p.width, p.height, w.width, w.height};
}

QString CropController::caption() const
{
    const TwipRect p = control_geometry(picture_);
    return crop_caption(file_name_, p.left, p.top, screen_pixel_ratio());
}

void CropController::apply(const CropView &v)
{
    place_control(picture_, {v.picture_left, v.picture_top, v.picture_width, v.picture_height});
    const TwipRect w = outer_geometry(window_);
    if (w.width != v.window_width || w.height != v.window_height)
        set_outer_size(window_, v.window_width, v.window_height);
}

void CropController::show_caption()
{
    const QString c = caption();
    window_->setWindowTitle(c);
    Q_EMIT caption_changed(c);
}

bool CropController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != picture_ || !*crop_mode_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton)
            break;
        dragging_ = true;
        grab_ = me->position().toPoint();
        Q_EMIT picture_pressed();
        return true;
    }
    case QEvent::MouseMove: {
        if (!dragging_)
            break;
        // The first move after a moving window handed its picture over
        // still belongs to that window's drag.
        if (motion().ignore_next_drag_over) {
            motion().ignore_next_drag_over = false;
            return true;
        }
        auto *me = static_cast<QMouseEvent *>(event);
        const QPoint d = me->position().toPoint() - grab_;
        if (!d.isNull()) {
            picture_->move(picture_->pos() + d);
            show_caption();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (!dragging_ || me->button() != Qt::LeftButton)
            break;
        dragging_ = false;
        *cropped_ = true;
        show_caption();
        const TwipRect p = control_geometry(picture_);
        Q_EMIT picture_dropped(p.left, p.top);
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lf
