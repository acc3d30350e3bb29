// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace lf {

// The one place where this program's own changes to a picture file (delete,
// rename, save, restore, copy over) are announced, so that what was read
// from the file before (read-ahead pictures, cached thumbnails) is dropped
// instead of being shown. User-interface thread only.
void file_changed(const QString &path);

using FileChangeHandler = std::function<void(const QString &path)>;
// Returns an id for forget_file_change_handler.
int on_file_changed(FileChangeHandler handler);
void forget_file_change_handler(int id);

} // namespace lf
