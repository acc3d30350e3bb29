#include "viewer/windows/image_control.h"

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
    natural_ = picture.isNull() ? QSize() : natural.isValid() ? natural : picture.size();
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

int image_control::natural_width() const { return px_to_twips(natural_.width()); }
int image_control::natural_height() const { return px_to_twips(natural_.height()); }

void image_control::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (!picture_.isNull() && picture_.size() != natural_
        && (width() > picture_.width() || height() > picture_.height()))
        Q_EMIT wants_larger(size());
}

void image_control::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    if (picture_.isNull() || width() <= 0 || height() <= 0) {
        p.fillRect(e->rect(), palette().window());
    } else if (picture_.size() == size()) {
        p.drawImage(e->rect(), picture_, e->rect());
    } else {
        if (scaled_.size() != size())
            scaled_ = picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.drawImage(e->rect(), scaled_, e->rect());
    }
    ++paints_;
    Q_EMIT painted();
}

} // namespace lf
