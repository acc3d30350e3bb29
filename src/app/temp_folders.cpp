// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/temp_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace lf {

QString temp_root()
{
    QString t = QDir::tempPath();
    return t.isEmpty() ? QStringLiteral("/tmp") : t;
}

QString private_temp_folder(const QString &root)
{
    return root + QStringLiteral("/lumenfolio-") + QString::number(::geteuid());
}

bool process_alive(long long pid)
{
    if (pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) == 0)
        return true;
    return errno == EPERM; // exists, but is someone else's
}

namespace {

QString private_folder_problem(const QString &path)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::lstat(native.constData(), &st) != 0)
        return QStringLiteral("cannot be created");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("is a symbolic link");
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("is not a folder");
    if (st.st_uid != ::geteuid())
        return QStringLiteral("belongs to another user");
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return QStringLiteral("cannot be made private");
    return {};
}

void remove_stale_process_folders(const QString &base, long long own_pid)
{
    const QStringList entries = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &e : entries) {
        bool ok = false;
        const long long pid = e.toLongLong(&ok);
        if (!ok || pid == own_pid || process_alive(pid))
            continue;
        QDir(base + QLatin1Char('/') + e).removeRecursively();
    }
}

} // namespace

TempFolderResult create_tmp_pic_dir(const QString &root, long long pid)
{
    TempFolderResult result;
    const QString base = private_temp_folder(root);
    const QByteArray native = QFile::encodeName(base);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return result; // creation failures are silent; the program runs without backups
    const QString problem = private_folder_problem(base);
    if (!problem.isEmpty()) {
        result.problem = QStringLiteral("The temporary folder ") + base + QStringLiteral(" ")
                       + problem
                       + QStringLiteral(", so it is not used. Pictures can be viewed, but no "
                                        "backups can be kept while the program runs.");
        return result;
    }
    remove_stale_process_folders(base, pid);
    const QString dir = base + QLatin1Char('/') + QString::number(pid) + QStringLiteral("/tmp_pic");
    if (!QDir().mkpath(dir))
        return result;
    QFile::setPermissions(QFileInfo(dir).absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  | QFileDevice::ExeOwner);
    result.tmp_pic_dir = dir;
    return result;
}

void remove_tmp_pic_dir(const QString &tmp_pic_dir)
{
    if (tmp_pic_dir.isEmpty())
        return;
    QDir(tmp_pic_dir).removeRecursively();
    const QString process_dir = QFileInfo(tmp_pic_dir).absolutePath();
    QDir().rmdir(process_dir);
}

} // namespace lf
