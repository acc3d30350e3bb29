// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a photo as a user does, timed from outside the program: from the
// start of `lumenfolio photo.jpg`, and of `feh -. photo.jpg` beside it, to
// the moment the photo's pixels are on the screen (screen_watch.h); and the
// peak memory of both processes. Runs on the X display in DISPLAY (bench/run
// uses a 1920 x 1080 Xvfb with openbox).
// Usage: bench_open_window <lumenfolio> <photo.jpg> <name>
#include "bench_util.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

// Xlib defines names Qt uses: after the Qt headers.
#include "screen_watch.h"

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double ms = -1;
    double peak_kb = 0;
};

pid_t start(const QStringList &command)
{
    std::vector<QByteArray> bytes;
    for (const QString &a : command)
        bytes.push_back(QFile::encodeName(a));
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Ends the process and returns its peak resident memory in kB.
double stop(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    return double(use.ru_maxrss);
}

Run timed(bench::ScreenWatch &watch, const QStringList &command)
{
    Run r;
    const int64_t t0 = bench::mono_ns();
    const pid_t pid = start(command);
    const int64_t shown = watch.appeared(bench::Tint::Red, 30'000'000'000LL);
    if (shown >= 0)
        r.ms = (shown - t0) / 1e6;
    r.peak_kb = stop(pid);
    watch.idle(300'000'000); // the screen clears before the next run
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <lumenfolio> <photo.jpg> <name>\n", argv[0]);
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString photo = QString::fromLocal8Bit(argv[2]);
    const QByteArray name(argv[3]);
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    if (QStandardPaths::findExecutable("feh").isEmpty()) {
        std::fprintf(stderr, "feh is not installed\n");
        return 1;
    }
    // Settings, caches and temporary folders of both programs stay in here.
    QTemporaryDir scratch;
    for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                          "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const QString dir = scratch.path() + '/' + v;
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                       | QFileDevice::ExeOwner);
        qputenv(v, QFile::encodeName(dir));
    }

    bench::ScreenWatch watch(d);
    const QStringList ours{program, photo};
    const QStringList feh{"feh", "-.", photo};
    // nsxiv is timed too when installed, for the record.
    const bool with_nsxiv = !QStandardPaths::findExecutable("nsxiv").isEmpty();
    const QStringList nsxiv{"nsxiv", photo};
    std::vector<double> ours_ms, feh_ms, ours_kb, feh_kb, nsxiv_ms;
    timed(watch, ours);
    timed(watch, feh);
    if (with_nsxiv)
        timed(watch, nsxiv);
    for (int i = 0; i < bench::rounds; ++i) {
        const Run a = timed(watch, ours);
        const Run b = timed(watch, feh);
        if (with_nsxiv)
            nsxiv_ms.push_back(timed(watch, nsxiv).ms);
        if (a.ms < 0 || b.ms < 0) {
            std::fprintf(stderr, "%s: a picture never appeared (ours %.0f, feh %.0f)\n",
                         name.constData(), a.ms, b.ms);
            return 1;
        }
        ours_ms.push_back(a.ms);
        feh_ms.push_back(b.ms);
        ours_kb.push_back(a.peak_kb);
        feh_kb.push_back(b.peak_kb);
    }
    if (with_nsxiv)
        std::printf("  (nsxiv %.0f ms)\n", bench::median(nsxiv_ms));
    bench::report(name.constData(), "feh", bench::median(ours_ms), bench::median(feh_ms));
    bench::report(QByteArray(name + "-rss").constData(), "feh", bench::median(ours_kb),
                  bench::median(feh_kb), "kB");
    return 0; // the watch still needs the display; both go with the process
}
