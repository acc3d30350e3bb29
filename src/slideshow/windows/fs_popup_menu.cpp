// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/windows/fs_popup_menu.h"

#include "app/settings.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/windows/form_fs.h"

namespace lf {

fs_popup_menu::fs_popup_menu(form_fs *f) : QMenu(f)
{
    setObjectName(QStringLiteral("m_popup"));
    auto item = [this, f](const char *name, const QString &caption, auto slot) {
        QAction *a = addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, f, slot);
        return a;
    };
    auto sep = [this](const char *name) {
        QAction *a = addSeparator();
        a->setObjectName(QLatin1String(name));
        return a;
    };
    item("m_end_slide_show", QStringLiteral("Exit (ESC)"), &form_fs::exit_show);
    item("m_crop", QStringLiteral("Crop or resize image (C)"), &form_fs::crop);
    item("m_show_folder", QStringLiteral("Show folder containing this picture (F)"),
         &form_fs::show_folder);
    item("m_normal_view", QStringLiteral("Close this view and open normal view (B)"), [f] {
        slides().slide_show_active = false;
        f->unsetCursor();
        f->hand_back();
    });
    item("m_open_with_default_viewer", QStringLiteral("Open normal view without closing this view"),
         &form_fs::open_normal_view_keeping);
    item("m_restore_uncropped_image", QStringLiteral("Restore image as it was before altering (CTL-Z)"),
         &form_fs::restore_unaltered);
    item("m_zoom_in", QStringLiteral("Zoom in (+)"), [f] { f->zoom(true); });
    item("m_zoom_out", QStringLiteral("Zoom out (-)"), [f] { f->zoom(false); });
    item("m_original_resolution", QStringLiteral("Original resolution (/)"), &form_fs::natural_size);
    item("m_main_panel", QStringLiteral("Main panel (P)"), &form_fs::main_panel);
    m_sep1 = sep("m_sep1");
    m_resume_manual = item("m_resume_manual", QStringLiteral("Resume in manual mode (M)"),
                           &form_fs::resume_manual);
    m_resume_auto = item("m_resume_auto", QStringLiteral("Resume in auto mode (U)"),
                         &form_fs::resume_auto);
    m_random_mode = item("m_random_mode", QStringLiteral("Random mode (R)"), &form_fs::random_mode);
    m_random_mode->setCheckable(true);
    m_sequential_mode = item("m_sequential_mode", QStringLiteral("Sequential mode (S)"),
                             &form_fs::sequential_mode);
    m_sequential_mode->setCheckable(true);
    m_select_next_picture_number = item("m_select_next_picture_number",
                                        QStringLiteral("Select next picture number"),
                                        &form_fs::go_to_number);
    sep("m_sep2");
    item("m_delete_pic", QStringLiteral("Delete picture (DEL)"), [f] {
        f->manual_mode();
        f->delete_picture();
    });
    item("m_copy_to_clipboard", QStringLiteral("Copy picture to clipboard (CTL+C)"),
         &form_fs::copy_to_clipboard);
    item("m_edit_picture", QStringLiteral("Edit picture (E)"), &form_fs::edit);
    item("m_refresh_picture", QStringLiteral("Refresh picture (F5)"), &form_fs::refresh);
    item("m_save_as", QStringLiteral("Save file as... (A)"), &form_fs::save_file_as);
    m_save_slide_show_file_as = item("m_save_slide_show_file_as",
                                     QStringLiteral("Save slide show file as..."),
                                     [f] { save_slide_show_file_as(f->picture_path()); });
    sep("m_ewww");
    m_hide_mousepointer = item("m_hide_mousepointer",
                               QStringLiteral("Hide mousepointer if too central on/off"), [this] {
                                   save_setting(key::hide_mousepointer,
                                                bool_text(m_hide_mousepointer->isChecked()));
                               });
    m_hide_mousepointer->setCheckable(true);
    m_hide_show_status_bar = item("m_hide_show_status_bar",
                                  QStringLiteral("Hide status bar on/off (H)"),
                                  &form_fs::toggle_status_bar);
    m_hide_show_status_bar->setCheckable(true);
}

void fs_popup_menu::set_single_picture()
{
    for (QAction *a : {m_sep1, m_resume_auto, m_resume_manual, m_random_mode, m_sequential_mode,
                       m_save_slide_show_file_as, m_select_next_picture_number})
        a->setVisible(false);
}

void fs_popup_menu::set_order_marks(bool random_order)
{
    m_random_mode->setChecked(random_order);
    m_sequential_mode->setChecked(!random_order);
}

} // namespace lf
