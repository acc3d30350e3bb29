// SPDX-License-Identifier: GPL-3.0-or-later
// step-24mp: the full-screen slide show's step (key press to the new picture
// painted) over 24 MP photos, sequential and random, with the read-ahead of
// the next picture, beside decoding that picture once at the screen's size.
// The same for progressive JPEGs. Each step comes after the read-ahead is
// done, as it is when the interval is longer than a decode.
// Usage: bench_slide_step <data folder>   (bench_make_data writes it)
#include "bench_util.h"

#include "app/app_state.h"
#include "app/random.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/windows/qt_window_layer.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/form_fs.h"
#include "viewer/picture_loader.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>

using namespace lf;

namespace {

constexpr int pictures = 6;

void wait_idle(form_fs *f)
{
    QElapsedTimer t;
    t.start();
    while (!f->read_ahead_idle() && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void run(const QString &name, const QStringList &pics, bool random)
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
    if (!f) {
        std::fprintf(stderr, "%s: no slide show window\n", qPrintable(name));
        return;
    }
    f->set_read_ahead(true);
    const QSize fit(twips_to_px(screen_twips().width), twips_to_px(screen_twips().height));
    int k = 0;
    const auto [ours, peer] = bench::alternate(
        [&] {
            wait_idle(f); // the user looks at the picture for a while
            return bench::ms_of([&] {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier,
                                QStringLiteral(" "));
                QCoreApplication::sendEvent(f, &press);
                f->repaint();
            });
        },
        [&] {
            const QString path = pics[k++ % pics.size()];
            return bench::ms_of([&] { load_picture(path, fit); });
        });
    bench::report(qPrintable(name), "decode", ours, peer);
    std::printf("  (read-ahead hits %d)\n", f->prefetch_hits());
    slides().slide_show_active = false;
    f->hide();
    delete f;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    QApplication a(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString data = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir work;
    set_settings_file(work.filePath("bench.ini"));
    QtWindowLayer layer;
    set_windows(&layer);
    set_screen_twips(ScreenTwips{1920 * 15, 1080 * 15, 0});
    QDir().mkpath(work.filePath("tmp_pic"));
    app().tmp_pic_dir = work.filePath("tmp_pic");
    for (const bool progressive : {false, true}) {
        QStringList pics;
        for (int i = 0; i < pictures; ++i)
            pics << data + (progressive ? "/slides_progressive" : "/slides")
                    + QStringLiteral("/big%1.jpg").arg(i);
        const QString base = progressive ? "step-24mp-progressive" : "step-24mp";
        run(base + "-sequential", pics, false);
        run(base + "-random", pics, true);
    }
    set_windows(nullptr);
    return 0;
}
