// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lf {

inline constexpr int max_pictures_in_list = 1000;

struct ThumbnailState {
    QString current_thumbnail_file;
    // Pictures for the next sheets (folder pictures or search results); its
    // size is the picture count. The sheet's reader refills it.
    QStringList picture_list;
    int list_position = 0; // last entry already written to a file
    int file_counter = 0;  // sequence number of the last file written
    int thumbnail_columns = 7;
    int thumbnails_per_file = 28;
    // Set while an empty sheet is being rebuilt from its folder, so that a
    // folder without pictures cannot bring the same empty sheet back forever.
    bool rebuilding_empty_sheet = false;
};

ThumbnailState &thumbnails();
void reset_thumbnails();

} // namespace lf
