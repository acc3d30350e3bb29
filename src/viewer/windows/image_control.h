#pragma once

#include <QImage>
#include <QWidget>

namespace lf {

// Shows one decoded picture stretched to the control's size, smoothly
// filtered. The scaled copy is made once per size, from the same decoded
// image, so resizing never decodes the file again.
class image_control : public QWidget {
    Q_OBJECT
public:
    explicit image_control(QWidget *parent = nullptr);
    void set_picture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    // Natural size of the picture in twips (0 x 0 when empty).
    int natural_width() const;
    int natural_height() const;
    int paint_count() const { return paints_; }

Q_SIGNALS:
    void painted();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QImage picture_;
    QImage scaled_;
    int paints_ = 0;
};

} // namespace lf
