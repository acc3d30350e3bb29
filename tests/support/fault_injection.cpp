// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_injection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lf::test {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    active_ = getrlimit(RLIMIT_FSIZE, &r) == 0;
    old_soft_ = r.rlim_cur;
    r.rlim_cur = rlim_t(bytes);
    active_ = active_ && setrlimit(RLIMIT_FSIZE, &r) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit r{};
    if (active_ && getrlimit(RLIMIT_FSIZE, &r) == 0) {
        r.rlim_cur = rlim_t(old_soft_);
        setrlimit(RLIMIT_FSIZE, &r);
    }
}

bool permissions_apply()
{
    if (geteuid() != 0)
        return true;
    // Root passes permission bits through CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH;
    // dropping them from this thread's effective set (they stay permitted) makes them hold.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (syscall(SYS_capset, &header, data) != 0)
        return false;
    // Check on a real folder that the bits now stop us.
    const QString probe = QDir::tempPath() + QStringLiteral("/lf_permission_probe");
    QDir().mkpath(probe);
    set_read_only(probe, true);
    QFile f(probe + QStringLiteral("/x"));
    const bool stopped = !f.open(QIODevice::WriteOnly);
    f.remove();
    set_read_only(probe, false);
    QDir().rmdir(probe);
    return stopped;
}

void set_read_only(const QString &folder, bool read_only)
{
    const auto rx = QFile::ReadOwner | QFile::ExeOwner;
    QFile::setPermissions(folder, read_only ? rx : rx | QFile::WriteOwner);
}

QMap<QString, QByteArray> folder_contents(const QString &folder)
{
    QMap<QString, QByteArray> all;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        all.insert(base.relativeFilePath(p), read_bytes(p));
    }
    return all;
}

QByteArray read_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace lf::test
