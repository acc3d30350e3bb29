// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// What tmp_pic keeps for one picture belongs to its full path, in a folder
// of its own: tmp_pic/pictures/<key>/, where <key> is a hash of the path
// ("-2", "-3"... when two paths meet) and the file "path" names the owner.
//   ORIGINAL_<base>.exe  the picture before its first change in this run,
//                        written once and kept while the program runs
//   ORIGINAL_<name>      the newest backup; Restore swaps the picture with it
//   ORIGINAL_2<name>     Restore's spare copy while it swaps
//   work/<base>.jpg      a JPEG being saved, before the user keeps it
//   deleted/<name>       copies of the picture deleted (then 2_<name>, ...)
// Nothing made for one path is ever found under another path, and no two
// roles share a name. Built .ssf and .tnf files stand at the top of tmp_pic.

// The picture's folder (which need not exist yet).
QString versions_folder(const QString &tmp_pic_dir, const QString &picture_path);
// Makes that folder; false (errno set) when it cannot be made.
bool make_versions_folder(const QString &tmp_pic_dir, const QString &picture_path);

QString first_backup_for(const QString &tmp_pic_dir, const QString &picture_path);
QString newest_backup_for(const QString &tmp_pic_dir, const QString &picture_path);
QString restore_spare_for(const QString &tmp_pic_dir, const QString &picture_path);
QString work_file_for(const QString &tmp_pic_dir, const QString &picture_path);
// A name no earlier deleted copy of this path has taken.
QString deleted_copy_for(const QString &tmp_pic_dir, const QString &picture_path);

// True when Restore has something of this picture's own to put back.
bool has_backup(const QString &tmp_pic_dir, const QString &picture_path);

} // namespace lf
