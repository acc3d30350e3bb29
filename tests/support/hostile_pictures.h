// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace lf::test {

// Files users' disks really hold next to good pictures: empty, cut short,
// misnamed, with forged sizes, huge palettes, thousands of frames; and good
// pictures in the less common encodings and all eight EXIF orientations.
struct HostilePicture {
    QString name;          // file name, extension included
    QByteArray bytes;
    QSize upright;         // the size shown; invalid when it must not decode
    bool check_quadrants = false; // shows the four coloured quadrants
    // Cut short after the header: may show what arrived, never more.
    QSize at_most;
};

// Every case, built in memory from nothing but Qt.
QList<HostilePicture> hostile_pictures();
// Writes every case into folder; returns the paths in the order of the list.
QStringList write_hostile_pictures(const QString &folder);

// Whether the centres of img's quadrants are red, green / blue, white (JPEG tolerance).
bool has_upright_quadrants(const QImage &img);

} // namespace lf::test
