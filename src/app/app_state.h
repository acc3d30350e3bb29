// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// Values prepared at start-up and shared by every window of the process.
struct AppState {
    QString start_argument;

    // Frame of a normal sizable window, measured at start-up (twips).
    int frame_height = 0;
    int frame_width = 0;
    int frame_extra_height = 0;
    int frame_extra_width = 0;
    int taskbar_height = 0;

    QString tmp_pic_dir;
    QString deleted_pictures;  // "|" + path per picture deleted since start
    QString selected_folder;   // in/out value of the folder dialog
    QString wait_signal;       // Cancel protocol of the progress window
    bool escape_pressed = false;
    // The desktop's refusal to place windows has been told (Wayland).
    bool placement_notice_given = false;
    bool ending = false; // a signal ends the program: nothing may ask any more

    // Settings-derived, with stale paths blanked at start-up.
    QString picture_editor;
    QString last_picture_file;
    QString init_dir_for_search;
};

// Nominal frame sizes the layout rules were written for (twips).
inline constexpr int nominal_frame_height = 405;
inline constexpr int nominal_frame_width = 120;
inline constexpr int border_offset_top = 345;
inline constexpr int border_offset_left = 60;

inline const QString show_cancel = QStringLiteral("Show cancel");
inline const QString cancel_pressed = QStringLiteral("Cancel pressed");
bool cancel_was_pressed(const AppState &s);

AppState &app();
void reset_app_state();

} // namespace lf
