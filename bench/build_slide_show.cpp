// SPDX-License-Identifier: GPL-3.0-or-later
// build-10k: the main panel's "build and run slide show..." with subfolders
// (scan, sort by name, write, with the progress window up) over the tree of
// 10,000 pictures in 2,000 folders among 100,000 files, until the show
// would open; beside find with the three picture extensions over the tree.
// Runs on the X display in DISPLAY (bench/run uses Xvfb).
// Usage: bench_build_slide_show <data folder>   (bench_make_data writes it)
#include "bench_util.h"

#include "app/app_state.h"
#include "app/prompt.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/windows/qt_window_layer.h"
#include "panel/panel_state.h"
#include "panel/windows/f_start.h"
#include "slideshow/slide_list.h"

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>


using namespace lf;

namespace {

// Chooses the tree and says Yes to the subfolder question.
class TreePrompt final : public Prompt {
public:
    QString tree;
    Answer message(const MessageRequest &) override { return Answer::Yes; }
    QString input(const InputRequest &) override { return {}; }
    QString file(const FileRequest &) override { return {}; }
    std::optional<QColor> color(const QColor &, const QString &) override { return std::nullopt; }
    QString folder(const FolderRequest &) override { return tree; }
};

// The show is built, written and about to open: the timing ends there.
class BuildLayer final : public QtWindowLayer {
public:
    int shows = 0;
    void open_slide_show_window() override { ++shows; }
    void end_process() override {}
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString root = QString::fromLocal8Bit(argv[1]) + "/tree";
    const QString work = QDir::tempPath() + "/lumenfolio-bench-work";
    QDir(work).removeRecursively();
    QDir().mkpath(work + "/tmp_pic");
    app().tmp_pic_dir = work + "/tmp_pic";
    app().taskbar_height = taskbar_height();
    set_settings_file(work + "/settings.ini");
    TreePrompt prompt;
    prompt.tree = root;
    set_prompt(&prompt);
    BuildLayer layer;
    set_windows(&layer);
    panel_state().sort_by_datetime = false;
    layer.show_main_panel();
    f_start *panel = f_start::loaded();
    auto *button = panel ? panel->findChild<QPushButton *>(QStringLiteral("b_build_slide_show")) : nullptr;
    if (!button) {
        std::fprintf(stderr, "no main panel\n");
        return 1;
    }

    const QStringList find_args{root, "(", "-iname", "*.jpg", "-o", "-iname", "*.gif",
                                "-o", "-iname", "*.bmp", ")"};
    auto run_find = [&] {
        return bench::ms_of([&] {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start("find", find_args);
            p.waitForFinished(-1);
        });
    };
    const auto [ours, peer] = bench::alternate(
        [&] {
            return bench::ms_of([&] {
                slides().slide_show_active = false;
                button->click();
            });
        },
        run_find);
    std::printf("  (%d pictures in the show; %d shows built)\n", slides().slide_count, layer.shows);
    bench::report("build-10k", "find", ours, peer);
    set_windows(nullptr);
    set_prompt(nullptr);
    QDir(work).removeRecursively();
    return 0;
}
