// SPDX-License-Identifier: GPL-3.0-or-later
// Soak run of the full-screen slide show: 10,000 small pictures in automatic
// mode at a 1 ms interval, with random and sequential order switched in
// turn and steps back and forth pressed at random. Prints the resident
// memory at the start and the end and how many pictures were shown; the
// end must stay within 10 % of the start.
//   bench_soak_slide_show [seconds = 600] [pictures = 10000]
#include "app/app_state.h"
#include "app/random.h"
#include "app/screen.h"
#include "app/windows/qt_window_layer.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/form_fs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

using namespace lf;

namespace {

double rss_mb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

QStringList make_pictures(const QString &dir, int n)
{
    QStringList out;
    QDir().mkpath(dir);
    for (int i = 0; i < n; ++i) {
        const QString p = dir + QStringLiteral("/s%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        if (!QFile::exists(p)) {
            QImage img(64 + i % 7, 48 + i % 5, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(i % 360, 200, 200));
            img.save(p, "JPG", 70);
        }
        out << p;
    }
    return out;
}

void press(QWidget *w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    const int seconds = argc > 1 ? atoi(argv[1]) : 600;
    const int count = argc > 2 ? atoi(argv[2]) : 10000;
    QtWindowLayer layer;
    set_windows(&layer);
    set_screen_twips(ScreenTwips{1280 * 15, 1024 * 15, 0});
    app().tmp_pic_dir = QDir::tempPath() + QStringLiteral("/lf_soak_tmp");
    QDir().mkpath(app().tmp_pic_dir);
    std::printf("preparing %d pictures\n", count);
    const QStringList pics = make_pictures(QDir::tempPath() + QStringLiteral("/lf_soak_pictures"), count);

    SlideList &s = slides();
    s.slide_count = int(pics.size());
    for (int i = 0; i < pics.size(); ++i)
        s.slot(i + 1).path = pics[i];
    s.slide_show_active = true;
    s.own_file = true;
    s.auto_advance = true;
    s.interval_ms = 1;
    seed_random(11);
    form_fs::open_slide_show_window();
    form_fs *f = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *x = qobject_cast<form_fs *>(w))
            f = x;
    if (!f) {
        std::printf("no slide show window\n");
        return 1;
    }

    // Warm up first so start-up allocations do not count as growth.
    QElapsedTimer warm;
    warm.start();
    while (warm.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double start_rss = rss_mb();

    long shown = 0;
    QString last = f->picture_path();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (f->picture_path() != last) {
            last = f->picture_path();
            ++shown;
        }
    });
    watch.start(0);
    // Steps back and forth turn automatic mode off, as they do for a user;
    // U turns it on again. R and S switch the order.
    QRandomGenerator rng(5);
    QTimer poke;
    long switches = 0;
    QObject::connect(&poke, &QTimer::timeout, [&] {
        switch (rng.bounded(3)) {
        case 0: press(f, Qt::Key_Space); break;
        case 1: press(f, Qt::Key_Backspace); break;
        default:
            press(f, slides().random_order ? Qt::Key_S : Qt::Key_R);
            ++switches;
        }
        press(f, Qt::Key_U);
    });
    poke.start(20);

    QElapsedTimer run;
    run.start();
    double next_report = 60;
    while (run.elapsed() < qint64(seconds) * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (run.elapsed() / 1000.0 >= next_report) {
            std::printf("%5.0f s  rss %.1f MB  shown %ld\n", next_report, rss_mb(), shown);
            std::fflush(stdout);
            next_report += 60;
        }
    }
    const double end_rss = rss_mb();
    std::printf("rss start %.1f MB, end %.1f MB (%+.1f %%); pictures shown %ld; order switches %ld\n",
                start_rss, end_rss, (end_rss - start_rss) * 100.0 / start_rss, shown, switches);
    const bool flat = end_rss <= start_rss * 1.10;
    std::printf("%s\n", flat ? "flat" : "GROWING");
    slides().slide_show_active = false;
    f->hide();
    delete f;
    set_windows(nullptr);
    return flat ? 0 : 1;
}
