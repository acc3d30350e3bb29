// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/windows/image_control.h"

#include "app/screen.h"
#include "app/twips.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace lf {

image_control::image_control(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void image_control::set_picture(const QImage &picture, QSize natural)
{
    picture_ = picture;
    // A damaged file keeps the size its header gives, so its window is as
    // large as the picture would be rather than nothing at all.
    natural_ = natural.isValid() ? natural : picture.isNull() ? QSize() : picture.size();
    scaled_ = QImage();
    update();
}

void image_control::replace_decoded(const QImage &picture)
{
    if (picture.isNull())
        return;
    picture_ = picture;
    scaled_ = QImage();
    update();
}

int image_control::natural_width() const
{
    return picture_px_to_twips(natural_.width(), screen_pixel_ratio());
}
int image_control::natural_height() const
{
    return picture_px_to_twips(natural_.height(), screen_pixel_ratio());
}

QSize image_control::device_size() const
{
    const double r = devicePixelRatioF();
    return QSize(qRound(width() * r), qRound(height() * r));
}

void image_control::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    const QSize device = device_size();
    if (!picture_.isNull() && picture_.size() != natural_
        && (device.width() > picture_.width() || device.height() > picture_.height()))
        Q_EMIT wants_larger(device);
}

void image_control::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    const QSize device = device_size();
    if (picture_.isNull() || device.isEmpty()) {
        p.fillRect(e->rect(), palette().window());
    } else {
        // Drawn pixel for pixel: the picture (or its copy scaled once) has
        // the device size, and only the exposed part is copied.
        if (picture_.size() != device && scaled_.size() != device)
            scaled_ = picture_.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage &shown = picture_.size() == device ? picture_ : scaled_;
        const double sx = double(device.width()) / width();
        const double sy = double(device.height()) / height();
        const QRectF r(e->rect());
        p.drawImage(r, shown, QRectF(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy));
    }
    ++paints_;
    Q_EMIT painted();
}

} // namespace lf
