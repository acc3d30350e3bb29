// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/safe_files.h"

#include "app/shell.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lf {
namespace {

constexpr qsizetype chunk = 1 << 20;
bool durable = true;

// Follows a link, so that the file it names is replaced, not the link.
QByteArray real_target(const QString &target)
{
    const QFileInfo fi(target);
    if (fi.isSymLink() && fi.exists())
        return QFile::encodeName(fi.canonicalFilePath());
    return QFile::encodeName(target);
}

bool write_all(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A unique work file beside target, made with O_EXCL so that no other file
// is ever opened in its place; its name tells whose it is.
int open_work_file(const QByteArray &target, QByteArray &work)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
    // Long names are cut, so that the work file's name stays within limits.
    const QByteArray name = target.mid(slash + 1).left(180);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 r = QRandomGenerator::global()->generate();
        work = folder + (folder.endsWith('/') ? "" : "/") + name + ".lumenfolio-"
             + QByteArray::number(r, 36);
        const int fd = ::open(work.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes through fill(fd), syncs, keeps the old permissions, renames over.
FileFault replace_with(const QString &target_in, const std::function<bool(int fd)> &fill)
{
    const QByteArray target = real_target(target_in);
    QByteArray work;
    const int fd = open_work_file(target, work);
    if (fd < 0)
        return fault_of(errno);
    struct stat old {};
    const bool existed = ::stat(target.constData(), &old) == 0;
    bool ok = fill(fd) && (!durable || ::fsync(fd) == 0);
    if (ok && existed)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0 || errno == EPERM;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(work.constData(), target.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(work.constData());
        return fault_of(err ? err : EIO);
    }
    return {};
}

bool same_bytes(const QString &a, const QString &b)
{
    QFile x(a), y(b);
    if (!x.open(QIODevice::ReadOnly) || !y.open(QIODevice::ReadOnly) || x.size() != y.size())
        return false;
    while (!x.atEnd()) {
        const QByteArray p = x.read(chunk);
        if (p.isEmpty() || p != y.read(chunk))
            return false;
    }
    return true;
}

} // namespace

void set_durable_writes(bool on) { durable = on; }

FileFault fault_of(int error_number)
{
    return {error_number, QString::fromLocal8Bit(std::strerror(error_number))};
}

void report(const FileFault &fault)
{
    if (fault.failed())
        report_error(fault.number, fault.description);
}

FileFault replace_file(const QString &target, const QByteArray &bytes)
{
    return replace_with(target, [&](int fd) { return write_all(fd, bytes.constData(), bytes.size()); });
}

FileFault replace_file_with_copy(const QString &target, const QString &source, bool verify)
{
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fault_of(errno);
    struct stat s {}, t {};
    if (::fstat(in, &s) == 0 && ::stat(QFile::encodeName(target).constData(), &t) == 0
        && s.st_dev == t.st_dev && s.st_ino == t.st_ino) {
        ::close(in);
        return {};
    }
    int read_error = 0;
    FileFault f = replace_with(target, [&](int out) {
        QByteArray buffer(chunk, Qt::Uninitialized);
        for (;;) {
            const ssize_t n = ::read(in, buffer.data(), size_t(buffer.size()));
            if (n == 0)
                return true;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                read_error = errno;
                return false;
            }
            if (!write_all(out, buffer.constData(), n))
                return false;
        }
    });
    ::close(in);
    if (read_error)
        f = fault_of(read_error);
    if (!f.failed() && verify && !same_bytes(source, target))
        f = {EIO, QStringLiteral("The copy of ") + source + QStringLiteral(" differs from it")};
    return f;
}

FileFault rename_file(const QString &from, const QString &to)
{
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return {};
    int err = errno;
    struct stat x {}, y {};
    const bool exists = ::lstat(b.constData(), &y) == 0;
    const bool same = exists && ::lstat(a.constData(), &x) == 0 && x.st_dev == y.st_dev
                   && x.st_ino == y.st_ino;
    // A volume without the flag, or one that folds case: only a rename that
    // replaces nothing else goes ahead.
    if ((err == EINVAL || err == ENOSYS || (err == EEXIST && same)) && (!exists || same)) {
        if (::rename(a.constData(), b.constData()) == 0)
            return {};
        err = errno;
    } else if (err == EINVAL || err == ENOSYS) {
        err = EEXIST;
    }
    return fault_of(err);
}

} // namespace lf
