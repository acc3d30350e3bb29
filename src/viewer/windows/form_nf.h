#pragma once

#include "viewer/picture_window_sizing.h"
#include "viewer/picture_window_state.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

class QAction;

namespace lf {

class image_control;

// The framed picture window: one picture, sized to the screen, rescaled
// when the user resizes the window.
class form_nf : public QWidget {
    Q_OBJECT
public:
    // Creates the window and runs its load step over the hand-over values
    // in viewer().
    form_nf();
    ~form_nf() override;

    QString tag() const { return st_.tag; }
    QString picture_path() const { return st_.picture_path; }
    const PictureWindowState &state() const { return st_; }
    // The picture as shown, in twips inside the client area.
    TwipRect picture_geometry() const;

    void normal_size();
    void Web_size();
    void zoom(bool zoom_in);
    void center_form_nf();
    // "Refresh picture": the load step again on this window, keeping its
    // number and tag.
    void reload();
    void toggle_crop_mode();

    image_control *Imagex;
    QWidget *Picture1;
    QWidget *Picture2;
    // A window of its own, so not a child: deleted with this window.
    QPointer<QMenu> m_popup;
    QAction *m_change_jpg_quality;
    QAction *m_save_jpeg_resized;
    QAction *m_restore_uncropped_image;
    QAction *m_zoom_in;
    QAction *m_zoom_out;
    QAction *m_original_resolution;
    QAction *m_web_resolution;

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void build_popup();
    void load_step();
    void load_into_imagex();
    void resize_handling();
    void activated();
    void change_check();
    void apply(const PictureLayout &l);
    void place_window(const TwipRect &r);
    void update_save_resized_item();
    bool shown_at_original() const;
    ScreenTwips screen() const;

    PictureWindowState st_;
    QSize applied_size_; // our own last layout, in pixels
    bool unloaded_ = false;
};

void open_picture(QString path, bool keep_crop_request);
void new_picture_window();

} // namespace lf
