// SPDX-License-Identifier: GPL-3.0-or-later
// sheet-28: the thumbnail sheet window on a .tnf of 28 photos of 24 MP, from
// opening the file to the last thumbnail painted, the shared thumbnail cache
// empty, beside vipsthumbnail at the same cell size over the same files in
// one process. sheet-28-again: the same sheet shown again (its thumbnails
// now in the cache) beside its first showing.
// search-100k: the main panel's picture search (its button, list and
// counts) over the 100,000-file tree with all fields empty, beside find with
// the same three extensions.
// Usage: bench_thumbnails <data folder>   (bench_make_data writes it)
#include "bench_util.h"

#include "app/app_state.h"
#include "app/prompt.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_layer.h"
#include "app/windows/qt_prompt.h"
#include "app/windows/qt_window_layer.h"
#include "panel/windows/f_start.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_sheet.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>

using namespace lf;

namespace {

// Closing one run's sheet must neither end the process nor bring the main
// panel up.
class StayingLayer final : public QtWindowLayer {
public:
    void show_main_panel() override {}
    void end_process() override {}
};

// Says Yes to the search's question.
class YesPrompt final : public Prompt {
public:
    Answer message(const MessageRequest &) override { return Answer::Yes; }
    QString input(const InputRequest &) override { return {}; }
    QString file(const FileRequest &) override { return {}; }
    std::optional<QColor> color(const QColor &, const QString &) override { return std::nullopt; }
    QString folder(const FolderRequest &r) override { return r.start; }
};

double run_ms(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    return bench::ms_of([&] {
        p.start(program, args);
        p.waitForFinished(-1);
    });
}

double sheet_ms(const QString &tnf)
{
    const double ms = bench::ms_of([&] {
        thumbnails().current_thumbnail_file = tnf;
        open_thumbnail_window(); // as the sheet commands open it
        f_provini *w = f_provini::loaded();
        if (!w) {
            std::fprintf(stderr, "no sheet window\n");
            return;
        }
        if (w->drawer()->drawing()) {
            QEventLoop loop;
            QObject::connect(w->drawer(), &ThumbnailDrawer::completed, &loop, &QEventLoop::quit);
            QObject::connect(w->drawer(), &ThumbnailDrawer::interrupted, &loop, &QEventLoop::quit);
            QObject::connect(w->drawer(), &ThumbnailDrawer::abort_requested, &loop,
                             &QEventLoop::quit);
            loop.exec();
        }
        w->repaint(); // the last thumbnail on screen
        if (w->drawer()->drawn_count() != 28)
            std::fprintf(stderr, "sheet drew %d thumbnails\n", w->drawer()->drawn_count());
    });
    // The cache files a first showing writes in the background are done
    // before the next measurement, ours or the peer's, begins.
    QThreadPool::globalInstance()->waitForDone();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString data = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir work;
    set_settings_file(work.filePath("bench.ini"));
    QDir().mkpath(work.filePath("tmp_pic"));
    app().tmp_pic_dir = work.filePath("tmp_pic");
    app().taskbar_height = taskbar_height();
    QtPrompt prompt;
    StayingLayer layer;
    set_prompt(&prompt);
    set_windows(&layer);

    QStringList photos;
    for (int i = 0; i < 28; ++i)
        photos << data + QStringLiteral("/sheet/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    thumbnails().picture_list = photos;
    thumbnails().list_position = 0;
    if (!write_thumbnail_files(data, QStringLiteral("bench_"))) {
        std::fprintf(stderr, "cannot write the thumbnail file\n");
        return 1;
    }
    const QString tnf = thumbnails().current_thumbnail_file;
    const int cell = SheetLayout::make(screen_width(), thumbnails().thumbnail_columns,
                                       app().frame_width, app().frame_height)
                         .cell_pixels(1);
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty()) {
        std::fprintf(stderr, "vipsthumbnail is not installed\n");
        return 1;
    }
    QDir().mkpath(work.filePath("vips"));
    const QStringList vips_args = QStringList{QStringLiteral("--size"), QString::number(cell),
                                              QStringLiteral("-o"), work.filePath("vips/%s.jpg")}
        + photos;
    // The shared thumbnail cache lives in here; sheet-28 is every time the
    // first showing, with the cache emptied before it.
    const QString cache_home = work.filePath(QStringLiteral("cache"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache_home));
    const auto first_showing = [&] {
        QDir(cache_home).removeRecursively();
        return sheet_ms(tnf);
    };
    const auto [ours, peer] = bench::alternate(first_showing, [&] { return run_ms(vips, vips_args); });
    bench::report("sheet-28", "vipsthumbnail", ours, peer);
    // sheet-28-again: the same sheet shown again, its thumbnails cached by
    // the showing before.
    const auto [again, first] = bench::alternate([&] { return sheet_ms(tnf); }, first_showing);
    bench::report("sheet-28-again", "first", again, first);

    const QString tree = data + QStringLiteral("/tree");
    const QStringList find_args{tree,
                                QStringLiteral("("),
                                QStringLiteral("-iname"), QStringLiteral("*.jpg"),
                                QStringLiteral("-o"),
                                QStringLiteral("-iname"), QStringLiteral("*.gif"),
                                QStringLiteral("-o"),
                                QStringLiteral("-iname"), QStringLiteral("*.bmp"),
                                QStringLiteral(")")};
    YesPrompt yes;
    set_prompt(&yes);
    layer.QtWindowLayer::show_main_panel();
    f_start *panel = f_start::loaded();
    auto *button = panel ? panel->findChild<QPushButton *>(QStringLiteral("b_search_picture")) : nullptr;
    auto *list = panel ? panel->findChild<QListWidget *>(QStringLiteral("List1")) : nullptr;
    if (!button || !list) {
        std::fprintf(stderr, "no main panel search\n");
        return 1;
    }
    app().init_dir_for_search = tree;
    qint64 found = 0;
    const auto [search, find] = bench::alternate(
        [&] {
            return bench::ms_of([&] {
                button->click();
                found = list->count();
            });
        },
        [&] { return run_ms(QStringLiteral("find"), find_args); });
    std::printf("  (%lld pictures found)\n", found);
    bench::report("search-100k", "find", search, find);
    set_windows(nullptr);
    set_prompt(nullptr);
    return 0;
}
