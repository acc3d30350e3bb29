#include "viewer/first_paint_probe.h"

#include <QByteArray>
#include <QFile>

#include <ctime>

#include <sys/resource.h>

namespace lf {

void record_first_paint()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QByteArray target = qgetenv("LUMENFOLIO_BENCH_FIRST_PAINT");
    if (target.isEmpty())
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    // Written beside and renamed, so a reader never sees half a line.
    const QString path = QFile::decodeName(target);
    QFile f(path + QStringLiteral(".part"));
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec) + ' '
            + QByteArray::number(qint64(use.ru_maxrss)) + '\n');
    f.close();
    QFile::remove(path);
    f.rename(path);
}

} // namespace lf
