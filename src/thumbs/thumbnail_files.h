#pragma once

#include <QString>

namespace lf {

// Closes the thumbnail sheet window if open and loads it again on
// current_thumbnail_file.
void open_thumbnail_window();
// The folder command: asks for a folder when `folder` is empty, collects
// its pictures, writes the sheets and shows the first.
void build_and_show_thumbnails(const QString &folder);
// Lets the user choose a thumbnail file (or takes the last one written) and
// opens the sheet window on it.
void select_thumbnail_file(bool take_last);

} // namespace lf
