// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// File operations that several windows offer on the picture they show.

// Copies the picture into its own folder of tmp_pic_dir (app/picture_versions),
// and only when that copy is whole moves it to the desktop's Trash (or, where
// no Trash takes it, deletes it); records it in app().deleted_pictures.
// Errors are reported with report_error; false means the picture is still
// there. Each window asks its own question first.
bool delete_with_backup(const QString &path);

enum class RenameCheck { Ok, Cancelled, ExtensionChanged, Invalid };
// Judges an answer to "New file name?" for the picture at path: blank
// cancels; the last four characters must stay (any case); a name with "/",
// "." or "..", or one naming an existing other file, is invalid.
RenameCheck check_new_name(const QString &path, const QString &answer);
inline const QString extension_cannot_change = QStringLiteral("File extension cannot be modified");
inline const QString invalid_file_name = QStringLiteral("Invalid file name");

// How a window reads an answer before it is judged.
struct RenameRules {
    bool trim_answer = false;           // blanks around the name are dropped
    bool add_missing_extension = false; // a name without "." keeps the old extension
};
// The name an answer stands for under rules.
QString answer_as_name(const QString &path, const QString &answer, RenameRules rules);

// Asks for a new name (title, "New file name?", the current name proposed)
// until it is acceptable or cancelled, then renames (never over another
// file). The last picture moves to the new name. Returns the new path, or
// "" when nothing was renamed.
QString ask_and_rename(const QString &path, const QString &title, RenameRules rules = {});

// What a window says when its editor command cannot start. An empty
// not_assigned treats a blank editor as a wrong one; an empty not_a_program
// says wrong; an empty no_picture starts the editor even on a missing file.
struct EditorMessages {
    QString not_assigned;
    QString wrong;
    QString not_a_program;
    QString no_picture;
};
enum class EditorStart { Started, NotAssigned, Wrong, NoPicture, Failed };

// Starts editor (blanks around it ignored) on picture as one argument, or
// shows the window's message and says why not. A program that exists but
// fails to start is reported too.
EditorStart start_picture_editor(const QString &editor, const QString &picture,
                                 const EditorMessages &messages);

// Starts the outside picture editor on picture, with the picture window's
// messages when no editor is set or the set one is missing or cannot run.
void edit_with_picture_editor(const QString &editor, const QString &picture);

// The copy-file-as command: save dialog starting in the folder of the
// setting last_saved_as_file (or of start_folder_fallback), overwrite asked
// by the dialog, then a copy through a work file beside the target;
// remembers the target.
void copy_file_as(const QString &source, const QString &start_folder_fallback);

// The user's agenda file, made empty when missing.
QString agenda_file();

} // namespace lf
