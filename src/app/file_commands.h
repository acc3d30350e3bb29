#pragma once

#include <QString>

namespace lf {

// File operations that several windows offer on the picture they show.

// Copies the picture into tmp_pic_dir under its own name, and deletes it only
// when that copy succeeded; records it in app().deleted_pictures. Errors are
// reported with report_error; false means the picture is still there.
bool delete_with_backup(const QString &path);

enum class RenameCheck { Ok, Cancelled, ExtensionChanged, Invalid };
// Judges an answer to "New file name?" for the picture at path: blank
// cancels; the last four characters must stay (any case); a name with "/",
// "." or "..", or one naming an existing other file, is invalid.
RenameCheck check_new_name(const QString &path, const QString &answer);
inline const QString extension_cannot_change = QStringLiteral("File extension cannot be modified");
inline const QString invalid_file_name = QStringLiteral("Invalid file name");

// Asks for a new name (title, "New file name?", the current name proposed)
// until it is acceptable or cancelled, then renames. Returns the new path, or
// "" when nothing was renamed.
QString ask_and_rename(const QString &path, const QString &title);

// Starts the outside picture editor on picture, with the program's messages
// when no editor is set or the set one is missing or cannot run.
void edit_with_picture_editor(const QString &editor, const QString &picture);

// The copy-file-as command: save dialog starting in the folder of the
// setting last_saved_as_file (or of start_folder_fallback), overwrite asked
// by the dialog, then a plain copy; remembers the target.
void copy_file_as(const QString &source, const QString &start_folder_fallback);

// The user's agenda file, made empty when missing.
QString agenda_file();

} // namespace lf
