// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace lf {

// The thumbnail cache Linux file managers and viewers share (freedesktop
// Thumbnail Managing Standard): $XDG_CACHE_HOME/thumbnails/<size folder>/
// <MD5 of the file URI>.png, whose Thumb::URI and Thumb::MTime say which
// file, as of which modification, it shows.
struct ThumbnailCache {
    QString root;        // the thumbnails folder; empty: no cache
    QString never_under; // pictures in here (tmp_pic) are never cached
    QString failures;    // folder of this program's failure entries

    // The user's cache; pictures under tmp_pic_dir stay out of it.
    static ThumbnailCache standard(const QString &tmp_pic_dir);
    bool caches(const QString &path) const;
};

// The standard sizes, 128 to 1024, with their folders.
struct ThumbnailBucket {
    int size = 0;
    const char *folder = nullptr;
};
// The smallest standard size holding `pixels`; size 0 when none does.
ThumbnailBucket thumbnail_bucket(int pixels);

// MD5 of the file's URI, in hexadecimal, + ".png".
QString thumbnail_file_name(const QString &path);

struct CellPicture {
    QImage image;  // at least the cell or the whole picture, at most its
                   // standard size; null when undecodable
    QSize natural; // the picture's own upright size, when known
    bool from_cache = false;
};

// The picture for a thumbnail cell of `cell` pixels: a valid cached
// thumbnail at least that large (or as large as the picture) when there is
// one and `use_cached` holds; otherwise decoded from the file and written to
// the cache, replacing a stale entry. A picture that cannot be decoded gets
// a failure entry, and is not decoded again while it stays unchanged.
// Cache files are written on the global thread pool after the decodes
// waiting there. Safe on worker threads.
CellPicture cell_picture(const ThumbnailCache &cache, const QString &path, int cell,
                         bool use_cached = true);

// Removes every cached thumbnail of path (after this program changed or
// removed the file).
void forget_cached_thumbnails(const QString &path);

} // namespace lf
