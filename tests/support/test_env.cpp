// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_env.h"

#include "app/app_state.h"
#include "app/clock.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_registry.h"
#include "slideshow/slide_list.h"
#include "motion/motion_state.h"
#include "panel/panel_state.h"
#include "thumbs/thumbnail_state.h"
#include "viewer/viewer_state.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace lf::test {

void reset_everything()
{
    reset_app_state();
    reset_registry();
    reset_slides();
    reset_thumbnails();
    reset_panel_state();
    reset_motion();
    reset_viewer();
    set_clock(nullptr);
    set_screen_twips(std::nullopt);
    set_desktop_opener(nullptr);
    const QString file = fresh_folder(QStringLiteral("settings")) + QStringLiteral("/lumenfolio.ini");
    set_settings_file(file);
}

QString fresh_folder(const QString &name)
{
    const QString path = QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-')
                       + QUuid::createUuid().toString(QUuid::Id128).left(12);
    QDir().mkpath(path);
    return path;
}

void write_file(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray encode(const QImage &img, const char *format, bool progressive)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, format);
    w.setQuality(95);
    w.setProgressiveScanWrite(progressive);
    w.write(img);
    return bytes;
}

QByteArray jpeg_bytes()
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(QColor(200, 60, 30));
    return encode(img, "jpeg");
}

QByteArray gif_bytes()
{
    return QByteArray::fromHex("47494638396101000100800000000000ffffff2c00000000010001000002024401003b");
}

void require_private_folders()
{
    const QString tmp = qEnvironmentVariable("TMPDIR");
    const QString root = tmp.isEmpty() ? QString() : QFileInfo(tmp).absolutePath() + QLatin1Char('/');
    for (const char *v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        const QString dir = qEnvironmentVariable(v);
        if (root.isEmpty() || !dir.startsWith(root))
            qFatal("run through run_isolated.sh: %s is not a private folder", v);
    }
}

} // namespace lf::test
