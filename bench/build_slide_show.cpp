// build-10k: building a slide show with subfolders (scan, sort by name,
// write) over the tree of 10,000 pictures in 2,000 folders among 100,000
// files, beside find with the three picture extensions over the same tree.
// Usage: bench_build_slide_show <data folder>   (bench_make_data writes it)
#include "bench_util.h"

#include "app/app_state.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "panel/panel_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>


using namespace lf;

namespace {

// Says Yes to the subfolder question.
class YesPrompt final : public Prompt {
public:
    Answer message(const MessageRequest &r) override
    {
        Q_UNUSED(r);
        return Answer::Yes;
    }
    QString input(const InputRequest &) override { return {}; }
    QString file(const FileRequest &) override { return {}; }
    std::optional<QColor> color(const QColor &, const QString &) override { return std::nullopt; }
    QString folder(const FolderRequest &r) override { return r.start; }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    QCoreApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]) + "/tree";
    const QString work = QDir::tempPath() + "/lumenfolio-bench-work";
    QDir(work).removeRecursively();
    QDir().mkpath(work + "/tmp_pic");
    app().tmp_pic_dir = work + "/tmp_pic";
    set_settings_file(work + "/settings.ini");
    YesPrompt yes;
    set_prompt(&yes);
    panel_state().sort_by_datetime = false;

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
        [&] { return bench::ms_of([&] { build_slide_show(root, false); }); }, run_find);
    std::printf("  (%d pictures in the show)\n", slides().slide_count);
    bench::report("build-10k", "find", ours, peer);
    set_prompt(nullptr);
    QDir(work).removeRecursively();
    return 0;
}
