// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/windows/nf_popup_menu.h"

#include "viewer/picture_window_sizing.h"
#include "viewer/windows/form_nf.h"

namespace lf {

nf_popup_menu::nf_popup_menu(form_nf *f)
{
    setObjectName(QStringLiteral("m_popup"));
    auto item = [this, f](const char *name, const QString &caption, auto slot) {
        QAction *a = addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, f, slot);
        return a;
    };
    auto sep = [this](const char *name) { addSeparator()->setObjectName(QLatin1String(name)); };

    f->m_slide_show_all_pic_in_same_dir =
        item("m_slide_show_all_pic_in_same_dir",
             QStringLiteral("Slide show of all pictures in current directory (S)"),
             &form_nf::folder_slide_show);
    f->m_thumbnails_all_pics_in_same_dir =
        item("m_thumbnails_all_pics_in_same_dir",
             QStringLiteral("Thumbnails of all pictures in current directory (T)"),
             &form_nf::folder_thumbnails);
    f->m_show_folder = item("m_show_folder", QStringLiteral("Show folder containing this picture (F)"),
                            &form_nf::show_folder);
    sep("m_sep1");
    f->m_main_panel = item("m_main_panel", QStringLiteral("Image viewer main panel (P)"),
                           &form_nf::main_panel);
    f->m_open_another_picture_without_closing_this_one =
        item("m_open_another_picture_without_closing_this_one",
             QStringLiteral("Open another picture without closing this one"),
             [f] { f->open_another(false); });
    f->m_close_this_picture_and_open_another_one =
        item("m_close_this_picture_and_open_another_one",
             QStringLiteral("Close this picture and open another one"), [f] { f->open_another(true); });
    f->m_open_next_picture = item("m_open_next_picture",
                                  QStringLiteral("Open next picture in the same folder (PG DN)"),
                                  [f] { f->next_previous(true); });
    f->m_open_previous_picture = item("m_open_previous_picture",
                                      QStringLiteral("Open previous picture in same folder (PG UP)"),
                                      [f] { f->next_previous(false); });
    sep("m_sep2");
    f->m_delete_pic = item("m_delete_pic", QStringLiteral("Delete picture (DEL)"), &form_nf::delete_pic);
    f->m_copy_to_clipboard = item("m_copy_to_clipboard", QStringLiteral("Copy picture to clipboard (CTL+C)"),
                                  &form_nf::copy_to_clipboard);
    f->m_edit_pic = item("m_edit_pic", QStringLiteral("Edit picture (E)"), &form_nf::edit_pic);
    f->m_refresh_image = item("m_refresh_image", QStringLiteral("Refresh picture (F5)"), &form_nf::reload);
    f->m_rename_pic = item("m_rename_pic", QStringLiteral("Rename picture (N)"), &form_nf::rename_pic);
    f->m_copy_file = item("m_copy_file", QStringLiteral("Copy original image file as... (A)"),
                          &form_nf::copy_file);
    sep("m_sep3");
    f->m_change_jpg_quality = item("m_change_jpg_quality", jpeg_quality_caption(80),
                                   &form_nf::change_jpg_quality);
    f->m_change_back_color = item("m_change_back_color", QStringLiteral("Change background color"),
                                  &form_nf::change_back_color);
    f->m_allow_cropping =
        item("m_allow_cropping",
             QStringLiteral("Allow image dragging for cropping and inhibit resize (C)"),
             &form_nf::toggle_crop_mode);
    f->m_allow_cropping->setCheckable(true);
    f->m_save_in_jpeg_format = item("m_save_in_jpeg_format", QStringLiteral("Save image in JPEG format"),
                                    [f] { f->save_jpeg(false); });
    f->m_save_cropped_image_as = item(
        "m_save_cropped_image_as",
        QStringLiteral("Save altered image (with original resolution) in JPEG format as... (J)"),
        [f] { f->save_jpeg(false); });
    f->m_save_jpeg_resized = item(
        "m_save_jpeg_resized",
        QStringLiteral("Save altered image (with resized resolution) in JPEG format as... (R)"),
        [f] { f->save_jpeg(true); });
    f->m_restore_uncropped_image =
        item("m_restore_uncropped_image", QStringLiteral("Restore image as it was before altering (CTL-Z)"),
             &form_nf::restore);
    sep("m_sep4");
    f->m_zoom_in = item("m_zoom_in", QStringLiteral("Zoom in (+)"), [f] { f->zoom(true); });
    f->m_zoom_out = item("m_zoom_out", QStringLiteral("Zoom out (-)"), [f] { f->zoom(false); });
    f->m_original_resolution = item("m_original_resolution", QStringLiteral("Original resolution (/)"),
                                    &form_nf::normal_size);
    f->m_web_resolution = item("m_web_resolution",
                               QStringLiteral("Web publishing resolution -- max 792 x 544 (W)"),
                               &form_nf::Web_size);
    f->m_no_borders = item("m_no_borders", QStringLiteral("Hide borders (H)"), &form_nf::no_borders);
    f->m_acquario = item("m_acquario", QStringLiteral("Motion on/off (M)"), &form_nf::motion_on_off);
    f->m_black = item("m_black", QStringLiteral("Black background (B, Enter or double click)"),
                      &form_nf::full_screen);
    f->m_exit = item("m_exit", QStringLiteral("Exit ( ESC)"), &form_nf::exit_window);
    f->m_agenda = item("m_agenda", QStringLiteral("Agenda view/edit"), &form_nf::agenda);
}

} // namespace lf
