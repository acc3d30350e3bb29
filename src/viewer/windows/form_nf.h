// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/picture_commands.h"
#include "viewer/picture_window_sizing.h"
#include "viewer/picture_window_state.h"

#include <QMenu>
#include <QPointer>
#include "viewer/picture_decoder.h"
#include "viewer/folder_stepper.h"

#include <QWidget>

class QAction;

namespace lf {

class image_control;
class CropController;
class PictureWindowSaveHost;

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
    void no_borders();

    // The commands of the context menu and the keys.
    void run(PictureCommand c);
    void open_popup(const QPoint &global_pos);
    void folder_slide_show();
    void folder_thumbnails();
    void show_folder();
    void main_panel();
    // True when a picture was opened.
    bool open_another(bool close_this);
    void next_previous(bool next);
    void delete_pic();
    void copy_to_clipboard();
    void edit_pic();
    void rename_pic();
    void copy_file();
    void change_jpg_quality();
    void change_back_color();
    void save_jpeg(bool resized);
    void restore();
    void motion_on_off();
    void full_screen();
    void fill_screen();
    void exit_window();
    void agenda();

    CropController *crop() const { return crop_; }
    const FolderList &folder_list() const { return stepper_->list(); }
    const FolderStepper &stepper() const { return *stepper_; }

    image_control *Imagex;
    QWidget *Picture1;
    QWidget *Picture2;
    // A window of its own, so not a child: deleted with this window.
    QPointer<QMenu> m_popup;
    QAction *m_slide_show_all_pic_in_same_dir = nullptr;
    QAction *m_thumbnails_all_pics_in_same_dir = nullptr;
    QAction *m_show_folder = nullptr;
    QAction *m_main_panel = nullptr;
    QAction *m_open_another_picture_without_closing_this_one = nullptr;
    QAction *m_close_this_picture_and_open_another_one = nullptr;
    QAction *m_open_next_picture = nullptr;
    QAction *m_open_previous_picture = nullptr;
    QAction *m_delete_pic = nullptr;
    QAction *m_copy_to_clipboard = nullptr;
    QAction *m_edit_pic = nullptr;
    QAction *m_refresh_image = nullptr;
    QAction *m_rename_pic = nullptr;
    QAction *m_copy_file = nullptr;
    QAction *m_change_jpg_quality = nullptr;
    QAction *m_change_back_color = nullptr;
    QAction *m_allow_cropping = nullptr;
    QAction *m_save_in_jpeg_format = nullptr;
    QAction *m_save_cropped_image_as = nullptr;
    QAction *m_save_jpeg_resized = nullptr;
    QAction *m_restore_uncropped_image = nullptr;
    QAction *m_zoom_in = nullptr;
    QAction *m_zoom_out = nullptr;
    QAction *m_original_resolution = nullptr;
    QAction *m_web_resolution = nullptr;
    QAction *m_no_borders = nullptr;
    QAction *m_acquario = nullptr;
    QAction *m_black = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_agenda = nullptr;

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void load_step();
    void load_into_imagex();
    void after_shown(quint64 load);
    // The size a picture of `natural` pixels is first decoded at, read
    // ahead at, and checked against when a read-ahead one is taken.
    QSize first_decode_size(QSize natural) const;
    void decode_larger(QSize shown);
    // The picture at the file's full resolution (decoded again when the
    // window holds a smaller decode).
    QImage full_picture() const;
    void resize_handling();
    void activated();
    void change_check();
    void apply(const PictureLayout &l);
    void place_window(const TwipRect &r);
    void update_save_resized_item();
    void record_anchor();
    void after_folder_command(bool opened);
    void hold_picture_for_next();
    void picture_dropped(int left, int top);
    void paint_back(const QColor &c);
    // Places the window, then refits the picture to it (settle: after the
    // window manager has answered).
    void refit_to(const TwipRect &window, bool settle = false);
    bool shown_at_original() const;
    ScreenTwips screen() const;

    PictureWindowState st_;
    QSize applied_size_; // our own last layout, in pixels
    bool unloaded_ = false;
    CropController *crop_ = nullptr;
    PictureWindowSaveHost *save_host_ = nullptr;
    PictureDecoder *decoder_ = nullptr;
    FolderStepper *stepper_ = nullptr;
    quint64 loads_ = 0;
};

void open_picture(QString path, bool keep_crop_request);
void new_picture_window();

} // namespace lf
