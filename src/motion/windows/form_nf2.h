// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace lf {

// The moving picture window: a frameless picture that can be dragged,
// resized in steps and set drifting over the desktop.
class form_nf2 : public QWidget {
    Q_OBJECT
public:
    // Creates and shows a moving window on `path`, or on the held picture
    // when viewer().picture_from_holder is set.
    static form_nf2 *open_moving_window(const QString &path);

    QString picture_path() const { return path_; }
    QString tag() const { return tag_; }
    const QImage &picture() const { return image_; }

    void sopra();
    void motion_tick();
    void set_motion(bool on);
    // The size keys: '+', '-', '*'.
    void resize_by_key(QChar key);
    void to_picture_window();
    void to_full_screen();

    QLabel *picture1;
    QTimer *Timer1;
    QMenu *m_popup;
    QAction *m_motion;
    QAction *m_normal_format;
    QAction *m_exit;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    form_nf2();
    void load(const QString &path);
    void set_geometry_twips(int left, int top, int width, int height);
    void hold_picture_for_next();
    void publish_anchor();

    QString path_;
    QString tag_;
    QImage image_;
    bool dragging_ = false;
    bool closing_ = false;
};

} // namespace lf
