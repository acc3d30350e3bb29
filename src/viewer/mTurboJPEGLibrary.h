// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>

namespace lf {

class cDIBSection;

// What SaveJPG raises: number 26001, the source (executable name + "." +
// this module's name) and a description.
struct JpegError : std::exception {
    int number = 26001;
    QString source;
    QString description;
    JpegError(QString src, QString desc) : source(std::move(src)), description(std::move(desc)) {}
    const char *what() const noexcept override { return "JPEG save failed"; }
};

inline constexpr int jpeg_error_number = 26001;
inline constexpr int min_jpeg_quality = 10;
inline constexpr int max_jpeg_quality = 99;

// "<executable>.mTurboJPEGLibrary"
QString jpeg_error_source();

// Encodes the bitmap into `file` at `quality` (clamped to 10..99) through
// TurboJPEG, reading the bitmap's memory in place with its row pitch.
// The file is written beside its final name and renamed over it, so a failed
// save leaves any earlier file of that name whole; an earlier file's
// permissions are given to the new one. The bitmap's colour profile, when
// it has one, is embedded. True on success; throws JpegError otherwise.
bool SaveJPG(const cDIBSection &dib, const QString &file, int quality);

} // namespace lf
