// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_versions.h"

#include "app/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace lf {
namespace {

const QString owner_file = QStringLiteral("/path");
const QString original_prefix = QStringLiteral("ORIGINAL_");

QByteArray owner_bytes(const QString &picture_path) { return QFile::encodeName(picture_path); }

QByteArray read_owner(const QString &folder)
{
    QFile f(folder + owner_file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The name without its last four characters (the dot and the extension).
QString base_of(const QString &picture_path)
{
    const QString name = file_name_of(picture_path);
    return name.left(qMax(0, name.size() - 4));
}

} // namespace

QString versions_folder(const QString &tmp_pic_dir, const QString &picture_path)
{
    const QByteArray owner = owner_bytes(picture_path);
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(owner, QCryptographicHash::Sha256).toHex().left(16));
    const QString base = tmp_pic_dir + QStringLiteral("/pictures/") + key;
    for (int n = 1;; ++n) {
        const QString folder = n == 1 ? base : base + QLatin1Char('-') + QString::number(n);
        if (!QFileInfo::exists(folder) || read_owner(folder) == owner)
            return folder;
    }
}

bool make_versions_folder(const QString &tmp_pic_dir, const QString &picture_path)
{
    if (tmp_pic_dir.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    const QString folder = versions_folder(tmp_pic_dir, picture_path);
    if (QFileInfo::exists(folder + owner_file))
        return true;
    errno = 0;
    if (!QDir().mkpath(folder + QStringLiteral("/work")) || !QDir().mkpath(folder + QStringLiteral("/deleted"))) {
        if (errno == 0)
            errno = EIO;
        return false;
    }
    QFile f(folder + owner_file);
    const QByteArray owner = owner_bytes(picture_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(owner) != owner.size() || !f.flush()) {
        const int err = errno ? errno : EIO;
        f.close();
        QDir(folder).removeRecursively();
        errno = err;
        return false;
    }
    return true;
}

QString first_backup_for(const QString &tmp_pic_dir, const QString &picture_path)
{
    return versions_folder(tmp_pic_dir, picture_path) + QLatin1Char('/') + original_prefix
         + base_of(picture_path) + QStringLiteral(".exe");
}

QString newest_backup_for(const QString &tmp_pic_dir, const QString &picture_path)
{
    return versions_folder(tmp_pic_dir, picture_path) + QLatin1Char('/') + original_prefix
         + file_name_of(picture_path);
}

QString restore_spare_for(const QString &tmp_pic_dir, const QString &picture_path)
{
    return versions_folder(tmp_pic_dir, picture_path) + QLatin1Char('/') + original_prefix
         + QLatin1Char('2') + file_name_of(picture_path);
}

QString work_file_for(const QString &tmp_pic_dir, const QString &picture_path)
{
    return versions_folder(tmp_pic_dir, picture_path) + QStringLiteral("/work/") + base_of(picture_path)
         + QStringLiteral(".jpg");
}

QString deleted_copy_for(const QString &tmp_pic_dir, const QString &picture_path)
{
    const QString folder = versions_folder(tmp_pic_dir, picture_path) + QStringLiteral("/deleted/");
    const QString name = file_name_of(picture_path);
    QString copy = folder + name;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = folder + QString::number(n) + QLatin1Char('_') + name;
    return copy;
}

bool has_backup(const QString &tmp_pic_dir, const QString &picture_path)
{
    if (tmp_pic_dir.isEmpty() || picture_path.isEmpty())
        return false;
    return QFileInfo(newest_backup_for(tmp_pic_dir, picture_path)).isFile()
        || QFileInfo(first_backup_for(tmp_pic_dir, picture_path)).isFile();
}

} // namespace lf
