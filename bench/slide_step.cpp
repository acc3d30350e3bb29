// Step latency of the full-screen slide show: key press to the new picture
// painted, for 24 MP JPEGs, in sequential and random order, with and
// without the read-ahead of the next picture.
#include "app/app_state.h"
#include "app/random.h"
#include "app/screen.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/form_fs.h"
#include "app/windows/qt_window_layer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>

using namespace lf;

namespace {

constexpr int pictures = 6;
constexpr int steps = 8;

QStringList make_pictures(const QString &dir)
{
    QStringList out;
    for (int i = 0; i < pictures; ++i) {
        const QString p = dir + QStringLiteral("/big%1.jpg").arg(i);
        if (!QFile::exists(p)) {
            QImage img(6000, 4000, QImage::Format_RGB32);
            QPainter g(&img);
            QLinearGradient grad(0, 0, 6000, 4000);
            grad.setColorAt(0, QColor::fromHsv(i * 50 % 360, 200, 220));
            grad.setColorAt(1, QColor::fromHsv((i * 50 + 120) % 360, 255, 90));
            g.fillRect(img.rect(), grad);
            for (int k = 0; k < 400; ++k)
                g.fillRect((k * 977) % 6000, (k * 613) % 4000, 90, 60, QColor::fromRgb(k * 2654435761u));
            g.end();
            img.save(p, "JPG", 90);
        }
        out << p;
    }
    return out;
}

void wait_idle(form_fs *f)
{
    QElapsedTimer t;
    t.start();
    while (!f->read_ahead_idle() && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void run(const QStringList &pics, bool random, bool ahead)
{
    SlideList &s = slides();
    s = SlideList{};
    s.slide_count = int(pics.size());
    for (int i = 0; i < pics.size(); ++i)
        s.slot(i + 1).path = pics[i];
    s.slide_show_active = true;
    s.random_order = random;
    s.own_file = true;
    seed_random(7);
    form_fs::open_slide_show_window();
    form_fs *f = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *x = qobject_cast<form_fs *>(w))
            f = x;
    f->set_read_ahead(ahead);
    QList<double> ms;
    for (int i = 0; i < steps; ++i) {
        wait_idle(f); // the user looks at the picture for a while
        QElapsedTimer t;
        t.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(f, &press);
        f->repaint();
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-10s %-14s median %7.1f ms  max %7.1f ms  (read-ahead hits %d/%d)\n",
                random ? "random" : "sequential", ahead ? "prefetched" : "not prefetched",
                ms[ms.size() / 2], ms.back(), f->prefetch_hits(), steps);
    slides().slide_show_active = false;
    f->hide();
    delete f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    QtWindowLayer layer;
    set_windows(&layer);
    set_screen_twips(ScreenTwips{1920 * 15, 1080 * 15, 0});
    app().tmp_pic_dir = QDir::tempPath() + QStringLiteral("/lf_bench_tmp");
    const QString dir = QDir::tempPath() + QStringLiteral("/lf_bench_24mp");
    QDir().mkpath(dir);
    std::printf("preparing %d pictures of 6000 x 4000 in %s\n", pictures, qPrintable(dir));
    const QStringList pics = make_pictures(dir);
    for (bool random : {false, true})
        for (bool ahead : {false, true})
            run(pics, random, ahead);
    set_windows(nullptr);
    return 0;
}
