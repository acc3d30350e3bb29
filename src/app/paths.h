// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace lf {

// Removes one leading double quote, then one trailing double quote.
void strip_quotes(QString &s);
// The path made absolute (a relative one against base, else the current
// folder) and clean: no "." or ".." parts, no doubled or trailing "/".
// "" stays "". Every path that enters the program goes through this once.
QString absolute_path(const QString &path, const QString &base = QString());
// Everything before the last "/" ("" when there is none). ":" is an ordinary
// character in file names here.
QString folder_of(const QString &path);
// Everything after the last "/" (the whole path when there is none).
QString file_name_of(const QString &path);
// True for an existing file or folder, hidden ones included; blank is false.
bool file_exists(const QString &path);
// The file's modification time in UTC, invalid when file_exists would say
// no. One stat, and no time-zone lookup: cheap enough for every entry of a
// 10,000-picture list.
QDateTime modification_time(const QString &path);
// The same in milliseconds since the epoch, for a path already in the
// file-name encoding; nothing when there is no such file.
std::optional<qint64> modification_ms(const QByteArray &encoded_path);
bool is_folder(const QString &path);
// The extension with its dot, lower case (".jpg"), or "" when there is none.
QString extension_of(const QString &path);
// .jpg, .gif or .bmp in any letter case.
bool is_picture_file(const QString &path);
// The path with its file name spelt as the folder listing spells it; the
// path unchanged when nothing matches.
QString on_disk_name(const QString &path);
// True when a list (search results, .ssf, .tnf) can carry the path and
// read it back as the same file: no line break in it, and its bytes are
// text in the file-name encoding. Every list leaves out the others alike.
bool storable_path(const QByteArray &encoded_path);
// What the user is told when count such names were left out.
QString unstorable_names_message(int count);
// Text beginning with "https://", "ftp://", "http://" or "www.", any case.
bool is_url(const QString &s);
// The part before the first carriage return (or line feed).
QString first_line(const QString &s);

} // namespace lf
