// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace lf {

// The main panel's rules and commands, apart from its widgets. The window
// shows what these return and moves the focus where they say.

// "Lumenfolio" for the program's own name, "Image viewer" otherwise.
QString panel_caption(const QString &application_title);

struct PanelEnabling {
    bool resume_slide_show = false;
    bool last_picture_buttons = false; // show, delete, edit last picture
};
PanelEnabling panel_enabling(int current_slide, const QString &last_picture_file);

// The search folder shown by Activate: a blank one becomes the home folder,
// remembered and stored.
QString search_folder_for_panel();

// The interval a typed text gives: blank is 0; a whole number from 0 up to
// the largest interval; nothing for any other text.
std::optional<int> interval_from_text(const QString &text);
// Writes `interval` when the field changed since the last write.
void save_interval_if_changed();

// Flags behind the panel's check boxes. Each stores its setting when its
// value changes (fit mode on every click). Returns true when it changed.
enum class PanelOption { Random, BlackScreen, FitMode, AutoShow };
bool set_panel_option(PanelOption o, bool ticked);
// The sort option buttons: descending (else ascending), by date (else name).
void set_sort_descending(bool on);
void set_sort_by_datetime(bool on);
// Load: the flags of the check boxes from the store; sort options reset.
void read_panel_options();

// Dialog filters.
QString picture_filter();
QString program_filter();
QString slide_show_filter();

// Each returns the path to show in its field, "" when nothing changed.
QString open_picture_command();
// False when the last picture is missing (it is then forgotten).
bool open_last_picture();
// True when deleted.
bool delete_last_picture();

enum class EditorOutcome { Started, Missing, Wrong, NotStarted };
EditorOutcome edit_last_picture(const QString &editor_field);
// The renamed path, "" when cancelled or failed.
QString rename_last_picture(const QString &last_file_field);
QString choose_picture_editor();
QString change_init_dir_for_search();

// True when the panel should hide (a show is on screen).
bool open_slide_show_command();
void resume_slide_show();
bool build_slide_show_command();
// The search list's double click: a line whose file is gone or holds no
// picture is reported and changes nothing; otherwise it becomes the last
// picture and opens. True when it opened.
bool open_search_result(const QString &line);


// Saves a pasted bitmap as "clibpoard_image.bmp" in tmp_pic_dir and opens it.
bool open_pasted_picture(const QImage &image);

inline const QString clipboard_file_name = QStringLiteral("clibpoard_image.bmp");

} // namespace lf
