// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lf {

inline const QString folder_thumbnail_prefix = QStringLiteral("_thumbnails_");

struct ThumbnailGrid {
    int columns = 7;
    int per_file = 28;
};
// 9600 twips wide: 5 x 2; 12000: 6 x 3; any other width: 7 x 4.
ThumbnailGrid thumbnail_grid_for(int screen_width);
// Sets the grid of thumbnails() from the screen width.
void set_thumbnail_grid();

struct PictureOrder {
    bool random = false;
    bool by_datetime = false;
    bool descending = false;
};
// Random: for i = 1 .. n-1 swap entry i with a uniformly drawn one of 1 .. n.
// Otherwise a stable sort by modification time or by path (ignoring case).
void order_pictures(QStringList &pictures, const PictureOrder &order);
// Fills picture_list with the pictures of folder, orders them and writes the
// "_thumbnails_" sequence. False when nothing was written.
bool collect_folder_pictures(const QString &folder, const PictureOrder &order);

// "01" .. "99", then "100".
QString sequence_number(int n);
// Writes picture_list from list_position on as thumbnail files in
// tmp_pic_dir named prefix + number + ".tnf", after deleting the previous
// sequence of that prefix. False when nothing was written or writing failed
// (failures are reported).
bool write_thumbnail_files(const QString &folder, const QString &prefix);

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
