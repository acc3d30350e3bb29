// Builds a slide show (scan + sort + write) over a tree of 10,000 pictures in
// 2,000 folders among 100,000 files, and times `find` over the same tree.
// Usage: bench_build_slide_show [tree folder]
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

#include <fcntl.h>
#include <unistd.h>

using namespace lf;

namespace {

// Says Yes to the subfolder question.
class YesPrompt final : public Prompt {
public:
    Answer message(const MessageRequest &r) override
    {
        std::printf("  asked: %s\n", qPrintable(r.text));
        return Answer::Yes;
    }
    QString input(const InputRequest &) override { return {}; }
    QString file(const FileRequest &) override { return {}; }
    std::optional<QColor> color(const QColor &, const QString &) override { return std::nullopt; }
    QString folder(const FolderRequest &r) override { return r.start; }
};

void touch(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0)
        ::close(fd);
}

// 40 folders of 49 subfolders each: 2,000 folders of 50 files, 5 of them
// pictures.
void make_tree(const QString &root)
{
    if (QFile::exists(root + "/ready"))
        return;
    std::printf("making the tree in %s ...\n", qPrintable(root));
    QDir().mkpath(root);
    auto fill = [](const QString &dir, int serial) {
        QDir().mkpath(dir);
        const QByteArray d = QFile::encodeName(dir);
        for (int i = 0; i < 50; ++i) {
            const char *ext = i % 10 != 0 ? ".txt" : (i / 10) % 2 ? ".gif" : ".JPG";
            touch(d + "/f" + QByteArray::number((serial * 7919 + i * 31) % 100000) + "_"
                  + QByteArray::number(i) + ext);
        }
    };
    int serial = 0;
    for (int a = 0; a < 40; ++a) {
        const QString top = root + QString("/top%1").arg(a);
        fill(top, serial++);
        for (int b = 0; b < 49; ++b)
            fill(top + QString("/sub%1").arg(b), serial++);
    }
    touch(QFile::encodeName(root + "/ready"));
}

double best_of(int runs, const std::function<void()> &f)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QDir::tempPath() + "/lumenfolio-bench-tree";
    make_tree(root);

    const QString work = QDir::tempPath() + "/lumenfolio-bench-work";
    QDir(work).removeRecursively();
    QDir().mkpath(work + "/tmp_pic");
    app().tmp_pic_dir = work + "/tmp_pic";
    set_settings_file(work + "/settings.ini");
    YesPrompt yes;
    set_prompt(&yes);

    auto run_find = [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start("find", {root, "-type", "f"});
        p.waitForFinished(-1);
    };
    run_find(); // warm the cache

    const double find_ms = best_of(3, run_find);
    for (const bool by_date : {false, true}) {
        panel_state().sort_by_datetime = by_date;
        const double build_ms = best_of(3, [&] { build_slide_show(root, false); });
        std::printf("build by %-4s: %8.1f ms  (%d pictures)\n", by_date ? "date" : "name",
                    build_ms, slides().slide_count);
        std::printf("find         : %8.1f ms\n", find_ms);
        std::printf("ratio        : %8.2f (target: at most 2)\n", build_ms / find_ms);
    }
    set_prompt(nullptr);
    QDir(work).removeRecursively();
    return 0;
}
