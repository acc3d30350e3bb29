#pragma once

#include <QString>
#include <QStringList>

namespace lf {

inline constexpr int max_pictures_in_list = 1000;

struct ThumbnailState {
    QString current_thumbnail_file;
    // Pictures for the next sheets (folder pictures or search results).
    QStringList picture_list;
};

ThumbnailState &thumbnails();
void reset_thumbnails();

} // namespace lf
