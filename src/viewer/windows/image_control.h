// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace lf {

// Shows one decoded picture stretched to the control's size, smoothly
// filtered, at the screen's device pixels. The scaled copy is made once per
// size, from the same decoded image, so resizing never decodes the file
// again.
class image_control : public QWidget {
    Q_OBJECT
public:
    explicit image_control(QWidget *parent = nullptr);
    // `natural`: the file's own size when the picture was decoded smaller
    // or could not be decoded (invalid: the picture's size).
    void set_picture(const QImage &picture, QSize natural = QSize());
    // A sharper decode of the same picture; the natural size stays.
    void replace_decoded(const QImage &picture);
    QSize natural_size() const { return natural_; }
    const QImage &picture() const { return picture_; }
    // Natural size of the picture in twips (0 x 0 when empty): its own
    // pixels 1:1 with the screen's.
    int natural_width() const;
    int natural_height() const;
    // The control's size in device pixels.
    QSize device_size() const;
    int paint_count() const { return paints_; }

Q_SIGNALS:
    void painted();
    // Shown larger than it was decoded: a sharper decode would show.
    // `shown` is in device pixels.
    void wants_larger(QSize shown);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QImage picture_;
    QImage scaled_;
    QSize natural_;
    int paints_ = 0;
};

} // namespace lf
