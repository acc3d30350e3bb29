// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace lf {

// A failed file operation: the C library's error number and its words, so
// that the user reads the real cause ("Error 28 - No space left on device").
struct FileFault {
    int number = 0;
    QString description;
    bool failed() const { return number != 0; }
};
FileFault fault_of(int error_number);
// "Error " + number + " - " + description, OK only; nothing when none failed.
void report(const FileFault &fault);

// Every replacement of a file goes through here: the new bytes are written
// to a work file of a unique name in the target's own folder, synced, and
// renamed over the target in one step. The target is therefore always whole,
// old or new; on failure it is as it was and no work file is left. An old
// target keeps its permissions; a link is followed to the file it names.
FileFault replace_file(const QString &target, const QByteArray &bytes);
// The same with the bytes of source, read piece by piece. A source that is
// the target already is left alone. With verify, the finished copy is read
// back and compared.
FileFault replace_file_with_copy(const QString &target, const QString &source, bool verify = false);

// Whether replacements wait for the disk (fsync) before the rename; on by
// default. Only a power cut needs it: a killed process leaves the same
// files either way, so tests that kill processes many times turn it off.
void set_durable_writes(bool on);

// Renames without ever replacing another file (EEXIST); a change of letter
// case of the same file on a volume that ignores case is allowed.
FileFault rename_file(const QString &from, const QString &to);

} // namespace lf
