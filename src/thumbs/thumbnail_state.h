#pragma once

#include <QString>

namespace lf {

struct ThumbnailState {
    QString current_thumbnail_file;
};

ThumbnailState &thumbnails();
void reset_thumbnails();

// Loads the thumbnail sheet window on current_thumbnail_file.
void open_thumbnail_window();

} // namespace lf
