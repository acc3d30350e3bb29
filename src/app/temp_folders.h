// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// The per-user private folder under the temp location holds one folder per
// running process, so that one instance ending never removes another's
// backups:  $TMPDIR/lumenfolio-<uid>/<pid>/tmp_pic
struct TempFolderResult {
    QString tmp_pic_dir; // empty when it could not be made
    QString problem;     // a message for the user when the folder is unsafe
};

// Makes the private folder (0700) and this process's tmp_pic folder in it,
// after removing folders left by processes that no longer run. Refuses a
// private folder that is a symbolic link or belongs to someone else.
TempFolderResult create_tmp_pic_dir(const QString &temp_root, long long pid);
// The temp location the platform gives ($TMPDIR or /tmp).
QString temp_root();
// The private per-user folder under it that holds every instance's tmp_pic.
QString private_temp_folder(const QString &temp_root);
// Deletes the tmp_pic folder with its files, and the process folder above
// it; failures are ignored.
void remove_tmp_pic_dir(const QString &tmp_pic_dir);
// True while a process with this id runs.
bool process_alive(long long pid);

} // namespace lf
