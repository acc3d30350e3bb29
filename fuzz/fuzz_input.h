// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scripted_prompt.h"
#include "test_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QThreadPool>

#include <cstddef>
#include <cstdint>

// What every target shares: one application object, a private folder, and
// the input written to a file there for the readers that take a path.
namespace lf::fuzz {

inline void start()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = [] {
        auto *a = new QCoreApplication(argc, argv);
        // Worker threads (Qt scales images on its pool) stay parked instead
        // of ending after 30 idle seconds: a thread ending while the leak
        // check at exit stops the world can crash the checker itself.
        QThreadPool::globalInstance()->setExpiryTimeout(-1);
        return a;
    }();
    Q_UNUSED(app);
}

inline QString input_file(const uint8_t *data, size_t size, const QString &name)
{
    static const QString dir = test::fresh_folder(QStringLiteral("fuzz"));
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

inline QString input_text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace lf::fuzz
