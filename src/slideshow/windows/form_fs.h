#pragma once

#include <QWidget>

namespace lf {

// The full-screen slide show window.
class form_fs : public QWidget {
    Q_OBJECT
public:
    form_fs();
    static void open_slide_show_window();

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QString tag_;
};

} // namespace lf
