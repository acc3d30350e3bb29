// Opening a 24 MP photo as a user does: `lumenfolio photo.jpg` from process
// start to the first painted frame of the fitted picture, beside `feh -.`
// from process start to the first expose of its window; and the peak memory
// of both processes. Runs on the X display in DISPLAY (bench/run uses a
// 1920 x 1080 Xvfb).
// Usage: bench_open_window <lumenfolio> <photo.jpg> [name]
#include "bench_util.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <ctime>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double ms = -1;
    double peak_kb = 0;
};

qint64 mono_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

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

Run ours(const QString &program, const QString &photo, const QString &scratch)
{
    const QString marker = scratch + "/first_paint";
    QFile::remove(marker);
    qputenv("LUMENFOLIO_BENCH_FIRST_PAINT", QFile::encodeName(marker));
    Run r;
    const qint64 t0 = mono_ns();
    const pid_t pid = start({program, photo});
    qunsetenv("LUMENFOLIO_BENCH_FIRST_PAINT");
    while (mono_ns() - t0 < 30'000'000'000LL) {
        QFile f(marker);
        if (f.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> parts = f.readAll().trimmed().split(' ');
            r.ms = (parts.value(0).toLongLong() - t0) / 1e6;
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return r;
        usleep(500);
    }
    r.peak_kb = stop(pid);
    return r;
}

Run feh(Display *d, const QString &photo)
{
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, True);
    Run r;
    const qint64 t0 = mono_ns();
    const pid_t pid = start({"feh", "-.", photo});
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    while (r.ms < 0 && mono_ns() - t0 < 30'000'000'000LL) {
        if (!XPending(d)) {
            poll(&p, 1, 5);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == CreateNotify)
            XSelectInput(d, e.xcreatewindow.window, ExposureMask);
        else if (e.type == Expose)
            r.ms = (mono_ns() - t0) / 1e6;
    }
    XSelectInput(d, root, NoEventMask);
    r.peak_kb = stop(pid);
    XSync(d, True);
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <lumenfolio> <photo.jpg> [name]\n", argv[0]);
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString photo = QString::fromLocal8Bit(argv[2]);
    const QByteArray name = argc > 3 ? QByteArray(argv[3]) : QByteArray("open-24mp");
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    if (QStandardPaths::findExecutable("feh").isEmpty()) {
        std::fprintf(stderr, "feh is not installed\n");
        return 1;
    }
    // Settings, data and temporary folders of the program stay in here.
    QTemporaryDir scratch;
    for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                          "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const QString dir = scratch.path() + '/' + v;
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                       | QFileDevice::ExeOwner);
        qputenv(v, QFile::encodeName(dir));
    }

    std::vector<double> ours_ms, feh_ms, ours_kb, feh_kb;
    ours(program, photo, scratch.path());
    feh(d, photo);
    for (int i = 0; i < bench::rounds; ++i) {
        const Run a = ours(program, photo, scratch.path());
        const Run b = feh(d, photo);
        if (a.ms < 0 || b.ms < 0) {
            std::fprintf(stderr, "%s: a window never appeared (ours %.0f, feh %.0f)\n",
                         name.constData(), a.ms, b.ms);
            return 1;
        }
        ours_ms.push_back(a.ms);
        feh_ms.push_back(b.ms);
        ours_kb.push_back(a.peak_kb);
        feh_kb.push_back(b.peak_kb);
    }
    bench::report(name.constData(), "feh", bench::median(ours_ms), bench::median(feh_ms));
    bench::report(QByteArray(name + "-rss").constData(), "feh", bench::median(ours_kb),
                  bench::median(feh_kb), "kB");
    XCloseDisplay(d);
    return 0;
}
