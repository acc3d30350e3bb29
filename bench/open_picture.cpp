// SPDX-License-Identifier: GPL-3.0-or-later
// Time from open_picture to the picture window's first painted frame, for a
// 6000 x 4000 and a 1920 x 1080 JPEG generated here.
#include "app/app_state.h"
#include "app/screen.h"
#include "app/settings.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"
#include "viewer/windows/image_control.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString make_jpeg(const QString &dir, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(20, 60, 160));
    g.setColorAt(1, QColor(230, 180, 40));
    p.fillRect(img.rect(), g);
    for (int i = 0; i < 200; ++i)
        p.drawEllipse(QPoint((i * 7919) % w, (i * 104729) % h), w / 40, h / 40);
    p.end();
    const QString path = dir + QStringLiteral("/bench_%1x%2.jpg").arg(w).arg(h);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.write(img);
    return path;
}

double first_frame_ms(const QString &path)
{
    QElapsedTimer t;
    t.start();
    lf::open_picture(path, false);
    lf::form_nf *w = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<lf::form_nf *>(top); f && f->picture_path() == path)
            w = f;
    if (!w)
        return -1;
    while (w->Imagex->paint_count() == 0 && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = t.nsecsElapsed() / 1e6;
    delete w; // not closed: closing the last window would end the process
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    lf::app().taskbar_height = lf::taskbar_height();
    QTemporaryDir dir;
    // The window records the last picture; keep that out of the user's store.
    lf::set_settings_file(dir.path() + QStringLiteral("/bench.ini"));
    const QString big = make_jpeg(dir.path(), 6000, 4000);
    const QString hd = make_jpeg(dir.path(), 1920, 1080);
    first_frame_ms(hd); // warm up plugins and fonts
    for (const QString &path : {big, hd}) {
        double best = 1e9;
        for (int i = 0; i < 3; ++i)
            best = qMin(best, first_frame_ms(path));
        std::printf("%s: open_picture to first painted frame %.1f ms (best of 3)\n",
                    qPrintable(path.section(QLatin1Char('_'), -1)), best);
    }
    return 0;
}
