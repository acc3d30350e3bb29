// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace lf {

// Largest picture we decode: a 100 MP camera photo opens, a forged header
// claiming billions of pixels does not take the machine's memory.
inline constexpr qint64 max_picture_pixels = 268'435'456; // 2^28
// Qt's own allocation guard, raised to fit the largest picture above.
inline constexpr int decoder_allocation_limit_mb = 1100;

// Natural (upright, EXIF orientation applied) size of the picture in the
// file, without decoding it; invalid when unreadable or too large to decode.
QSize picture_size(const QString &path);

// What the decoded numbers mean. Screens and the clipboard expect sRGB, so
// pictures that carry another colour profile (Display P3 phones, Adobe RGB
// cameras) are converted for them; saving keeps the file's own numbers and
// profile.
enum class PictureColours { ForDisplay, AsStored };

// Decodes the picture upright. With a valid `fit`, decodes straight to at
// most that size (keeping the aspect ratio), which is much cheaper for big
// JPEGs. Returns a null image for a missing, unreadable, truncated or
// oversized file; failures are silent.
QImage load_picture(const QString &path, QSize fit = QSize(),
                    PictureColours colours = PictureColours::ForDisplay);

// The same decode into `buffer`: when it is not shared and already has the
// decoded size and format, its memory is reused instead of a fresh
// allocation, whose first touch costs more than decoding a big JPEG. False
// (and `buffer` unspecified) on any failure load_picture reports as null.
bool load_picture_into(const QString &path, QImage &buffer, QSize fit = QSize(),
                       PictureColours colours = PictureColours::ForDisplay);

} // namespace lf
