// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/crop_mode.h"

#include <QObject>
#include <QPoint>
#include <QString>

class QAction;
class QKeyEvent;
class QWidget;

namespace lf {

// Crop mode of a picture window: the check mark, the pointer, the crop keys
// and dragging the picture inside the window. The window keeps the picture
// control and its own geometry; this reads and sets them in twips.
class CropController : public QObject {
    Q_OBJECT
public:
    // window: the top-level picture window; picture: the control showing the
    // picture inside it; allow_cropping: the checkable menu item.
    CropController(QWidget *window, QWidget *picture, QAction *allow_cropping);

    void set_file_name(const QString &name) { file_name_ = name; }
    // Keeps crop_mode and cropped in the window's own state instead.
    void bind_state(bool *crop_mode, bool *cropped);
    bool crop_mode() const { return *crop_mode_; }
    bool cropped() const { return *cropped_; }
    // A resize while crop mode is on changes the visible part.
    void note_resize();
    // Back to the state after a load: crop mode off, nothing cropped.
    void reset();

    // Toggles crop mode: check mark, pointer shape, the pointer brought into
    // the window, crop caption.
    void toggle();
    // Call for every key-down: keeps the time of the last key and, in crop
    // mode, handles the crop keys. True when the key was used.
    bool key_down(QKeyEvent *e);

    CropView view() const;
    QString caption() const;

Q_SIGNALS:
    void caption_changed(const QString &caption);
    // Left button down on the picture in crop mode (the window records its
    // anchor here, as the press does not reach it).
    void picture_pressed();
    // The picture was dropped at a new place (left, top in twips).
    void picture_dropped(int left, int top);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(const CropView &v);
    void show_caption();

    QWidget *window_;
    QWidget *picture_;
    QAction *allow_cropping_;
    QString file_name_;
    bool own_crop_mode_ = false;
    bool own_cropped_ = false;
    bool *crop_mode_ = &own_crop_mode_;
    bool *cropped_ = &own_cropped_;
    double last_key_time_ = -1;
    bool dragging_ = false;
    QPoint grab_; // pointer inside the picture at the press, pixels
};

} // namespace lf
