// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace lf::test {

// A full disk for this process: while alive, no file may grow past `bytes`
// (writes beyond fail with EFBIG instead of raising SIGXFSZ).
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    bool active_ = false;
    quint64 old_soft_ = 0;
};

// True when permission bits stop this thread (as root, after dropping the
// overriding capabilities from it: the test's file operations must run there).
bool permissions_apply();

// Makes folder read-only (or writable again) for its owner.
void set_read_only(const QString &folder, bool read_only);

// Every file under folder (relative name -> bytes).
QMap<QString, QByteArray> folder_contents(const QString &folder);

QByteArray read_bytes(const QString &path);

} // namespace lf::test
