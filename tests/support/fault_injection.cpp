#include "fault_injection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace lf::test {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    if (getrlimit(RLIMIT_FSIZE, &r) != 0)
        return;
    old_soft_ = r.rlim_cur;
    r.rlim_cur = rlim_t(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &r) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (!active_)
        return;
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = rlim_t(old_soft_);
    setrlimit(RLIMIT_FSIZE, &r);
}

bool permissions_apply()
{
    return geteuid() != 0;
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
