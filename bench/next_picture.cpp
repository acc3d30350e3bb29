// SPDX-License-Identifier: GPL-3.0-or-later
// next-24mp: the next picture of a folder of 24 MP photos, timed from
// outside: each viewer opens the first photo, the photo stays on screen for
// a second, then the viewer's own next key is pressed, and the time runs
// from the key press to the next photo's pixels on the screen
// (screen_watch.h). Ours (Page Down in the picture window) beside qimgv
// (Right) and geeqie (Page Down), in turn; the ratio is against the faster
// peer. Runs on the X display in DISPLAY with a window manager that focuses
// new windows (bench/run: Xvfb 1920 x 1080 with openbox).
// Usage: bench_next_picture <lumenfolio> <folder of step0.jpg ... step3.jpg>
#include "bench_util.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

// Xlib defines names Qt uses: after the Qt headers.
#include "screen_watch.h"

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Viewer {
    const char *name;
    QStringList command;
    KeySym next;
    QString home;
};

pid_t start(const Viewer &v)
{
    std::vector<QByteArray> bytes;
    for (const QString &a : v.command)
        bytes.push_back(QFile::encodeName(a));
    const QByteArray home = QFile::encodeName(v.home);
    const pid_t pid = fork();
    if (pid == 0) {
        // Each viewer keeps its settings and caches in a folder of its own.
        for (const char *var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                "XDG_RUNTIME_DIR", "TMPDIR"})
            setenv(var, QByteArray(home + '/' + var).constData(), 1);
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Key press to the next photo on screen, ms; -1 when it never showed.
double step_ms(bench::ScreenWatch &watch, const Viewer &v)
{
    const pid_t pid = start(v);
    double ms = -1;
    if (watch.appeared(bench::Tint::Red, 30'000'000'000LL) >= 0) {
        watch.idle(1'000'000'000); // looking at the first photo for a second
        const int64_t pressed = watch.press(v.next);
        const int64_t shown = watch.appeared(bench::Tint::Green, 10'000'000'000LL);
        if (shown >= 0)
            ms = (shown - pressed) / 1e6;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    watch.idle(300'000'000);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <lumenfolio> <steps folder>\n", argv[0]);
        return 2;
    }
    const QString first = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/step0.jpg");
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    QTemporaryDir scratch;
    std::vector<Viewer> viewers{
        {"ours", {QString::fromLocal8Bit(argv[1]), first}, XK_Next, {}},
        {"qimgv", {"qimgv", first}, XK_Right, {}},
        {"geeqie", {"geeqie", first}, XK_Next, {}},
    };
    for (Viewer &v : viewers) {
        if (QStandardPaths::findExecutable(v.command.first()).isEmpty()) {
            std::fprintf(stderr, "%s is not installed\n", qPrintable(v.command.first()));
            return 1;
        }
        v.home = scratch.filePath(v.name);
        for (const char *var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                "XDG_RUNTIME_DIR", "TMPDIR"}) {
            QDir().mkpath(v.home + '/' + var);
            QFile::setPermissions(v.home + '/' + var,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    }

    bench::ScreenWatch watch(d);
    std::vector<std::vector<double>> ms(viewers.size());
    for (const Viewer &v : viewers)
        step_ms(watch, v); // warm-up, and first-run set-up of each viewer
    for (int i = 0; i < bench::rounds; ++i) {
        for (size_t k = 0; k < viewers.size(); ++k) {
            const double t = step_ms(watch, viewers[k]);
            if (t < 0) {
                std::fprintf(stderr, "next-24mp: %s never showed the next photo\n", viewers[k].name);
                return 1;
            }
            ms[k].push_back(t);
        }
    }
    const double ours = bench::median(ms[0]);
    const double qimgv = bench::median(ms[1]);
    const double geeqie = bench::median(ms[2]);
    std::printf("  (qimgv %.0f ms, geeqie %.0f ms)\n", qimgv, geeqie);
    if (qimgv <= geeqie)
        bench::report("next-24mp", "qimgv", ours, qimgv);
    else
        bench::report("next-24mp", "geeqie", ours, geeqie);
    return 0; // the watch still needs the display; both go with the process
}
