// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace lf {

class form_fs;

// The full-screen window's pop-up menu; its items run the window's commands.
class fs_popup_menu : public QMenu {
    Q_OBJECT
public:
    explicit fs_popup_menu(form_fs *f);
    // Hides the items that only make sense in a slide show.
    void set_single_picture();
    void set_order_marks(bool random_order);

    QAction *m_sep1 = nullptr, *m_resume_manual = nullptr, *m_resume_auto = nullptr,
            *m_random_mode = nullptr, *m_sequential_mode = nullptr,
            *m_select_next_picture_number = nullptr, *m_save_slide_show_file_as = nullptr,
            *m_hide_mousepointer = nullptr, *m_hide_show_status_bar = nullptr;
};

} // namespace lf
