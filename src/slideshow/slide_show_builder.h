// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lf {

// Builds a sorted slide show of the pictures in `folder` (asks for a folder
// when empty). With build_only the subfolders are not offered and the show
// is not started: the caller finds the list in the slide list.
void build_slide_show(const QString &folder, bool build_only);

enum class ScanEnd { Finished, Cancelled, Escaped };
// Writes the path of every picture under root to list_file, one per line,
// folders breadth-first in listing order. Enters every folder, dotted ones
// too, but never follows a link to a folder; skips folders it cannot list.
// Pictures whose names a list cannot carry (storable_path) are left out
// and counted in *skipped.
ScanEnd scan_folder_tree(const QString &root, const QString &list_file, int *skipped = nullptr);
// True when folder holds a subfolder whose name has no dot (links to
// folders do not count).
bool has_subfolders(const QString &folder);
// The pictures of one folder (ordinary, not hidden files) as folder + "/" +
// name, in listing order, names as on disk; unstorable names counted in
// *skipped.
QStringList folder_pictures(const QString &folder, int *skipped = nullptr);
// The pictures of one folder in the order build_slide_show(folder, true)
// lists them, without its messages, settings and slide list: what the
// picture window's stepping keys will reach.
QStringList folder_in_show_order(const QString &folder, bool by_date, bool descending);

inline const QString too_many_files_message =
    QStringLiteral("Too many files, only the first 10,000 will be shown.");
inline const QString no_pictures_message = QStringLiteral("No pictures found in selected directory.");
inline const QString include_subfolders_question =
    QStringLiteral("Do you want to include files in subfolders?");

} // namespace lf
