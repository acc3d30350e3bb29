#pragma once

#include <QWidget>

namespace lf {

// The framed picture window.
class form_nf : public QWidget {
    Q_OBJECT
public:
    explicit form_nf(const QString &path);
    QString tag() const { return tag_; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QString tag_;
};

void open_picture(QString path, bool keep_crop_request);
void new_picture_window();

} // namespace lf
