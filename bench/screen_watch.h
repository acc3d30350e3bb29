// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times pictures on an X screen from outside the program that shows them,
// the same way for ours and for the peers: the benchmark pictures are tinted
// (red, green or yellow under their camera-like texture), and the watcher
// counts how many points of a sparse grid over the whole screen show the
// expected tint. It looks again whenever the X server reports drawing on
// the screen (DAMAGE) and every few milliseconds besides; the picture counts
// as shown at the first look at which the tint covers nearly as much of the
// screen as it does once drawing has settled, so a viewer that paints in
// stages is timed to its last stage.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace bench {

enum class Tint { Red, Green, Yellow };

inline bool shows(Tint t, int r, int g, int b)
{
    switch (t) {
    case Tint::Red: return r - std::max(g, b) > 50;
    case Tint::Green: return g - std::max(r, b) > 50;
    case Tint::Yellow: return std::min(r, g) - b > 60 && std::abs(r - g) < 60;
    }
    return false;
}

inline int64_t mono_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

class ScreenWatch {
public:
    explicit ScreenWatch(Display *d) : d_(d), root_(DefaultRootWindow(d))
    {
        const int s = DefaultScreen(d);
        w_ = DisplayWidth(d, s);
        h_ = DisplayHeight(d, s);
        // One row of the grid at a time, through shared memory: a look costs
        // the X server a few kilobytes, not a copy of the screen.
        if (XShmQueryExtension(d)) {
            row_ = XShmCreateImage(d, DefaultVisual(d, s), DefaultDepth(d, s), ZPixmap, nullptr, &shm_,
                                   unsigned(w_), 1);
            if (row_) {
                shm_.shmid = shmget(IPC_PRIVATE, size_t(row_->bytes_per_line), IPC_CREAT | 0600);
                shm_.shmaddr = row_->data = static_cast<char *>(shmat(shm_.shmid, nullptr, 0));
                shm_.readOnly = False;
                XShmAttach(d, &shm_);
                XSync(d, False);
                shmctl(shm_.shmid, IPC_RMID, nullptr);
            }
        }
        int error_base = 0;
        if (XDamageQueryExtension(d, &damage_base_, &error_base))
            damage_ = XDamageCreate(d, root_, XDamageReportNonEmpty);
        XSync(d, False);
    }
    ~ScreenWatch()
    {
        if (damage_)
            XDamageDestroy(d_, damage_);
        if (row_) {
            XShmDetach(d_, &shm_);
            XDestroyImage(row_);
            shmdt(shm_.shmaddr);
        }
    }

    // Grid points showing the tint now.
    int count(Tint t)
    {
        int n = 0;
        for (int y = step / 2; y < h_; y += step) {
            XImage *img = row_;
            if (row_)
                XShmGetImage(d_, root_, row_, 0, y, AllPlanes);
            else if (!(img = XGetImage(d_, root_, 0, y, unsigned(w_), 1, AllPlanes, ZPixmap)))
                continue;
            for (int x = step / 2; x < w_; x += step) {
                const unsigned long p = XGetPixel(img, x, 0);
                n += shows(t, int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
            }
            if (!row_)
                XDestroyImage(img);
        }
        return n;
    }

    // When (monotonic ns) the tint came to cover the screen as it does once
    // drawing has settled; -1 when it never covered `min_points` points
    // before the deadline.
    int64_t appeared(Tint t, int64_t timeout_ns, int min_points = 40)
    {
        const int64_t deadline = mono_ns() + timeout_ns;
        std::vector<std::pair<int64_t, int>> looks;
        int64_t last_change = mono_ns();
        int last = -1;
        while (mono_ns() < deadline) {
            pollfd p{ConnectionNumber(d_), POLLIN, 0};
            if (!XPending(d_))
                poll(&p, 1, 4);
            const int64_t now = mono_ns();
            while (XPending(d_)) {
                XEvent e;
                XNextEvent(d_, &e);
            }
            if (damage_)
                XDamageSubtract(d_, damage_, None, None);
            const int c = count(t);
            looks.emplace_back(now, c);
            if (c != last) {
                last = c;
                last_change = now;
            }
            if (c >= min_points && now - last_change > settle_ns)
                break;
        }
        if (looks.empty() || looks.back().second < min_points)
            return -1;
        const int final_count = looks.back().second;
        for (const auto &[when, c] : looks)
            if (c * 10 >= final_count * 9)
                return when;
        return -1;
    }

    // Presses and releases a key on whatever window has the focus; returns
    // when the press was sent.
    int64_t press(KeySym k)
    {
        const KeyCode code = XKeysymToKeycode(d_, k);
        const int64_t t = mono_ns();
        XTestFakeKeyEvent(d_, code, True, CurrentTime);
        XTestFakeKeyEvent(d_, code, False, CurrentTime);
        XFlush(d_);
        return t;
    }

    // Lets time pass while answering the X server.
    void idle(int64_t ns)
    {
        const int64_t end = mono_ns() + ns;
        while (mono_ns() < end) {
            pollfd p{ConnectionNumber(d_), POLLIN, 0};
            poll(&p, 1, 10);
            while (XPending(d_)) {
                XEvent e;
                XNextEvent(d_, &e);
            }
            if (damage_)
                XDamageSubtract(d_, damage_, None, None);
        }
    }

private:
    static constexpr int step = 40;
    static constexpr int64_t settle_ns = 300'000'000;
    Display *d_;
    Window root_;
    int w_ = 0, h_ = 0;
    XImage *row_ = nullptr;
    XShmSegmentInfo shm_{};
    Damage damage_ = 0;
    int damage_base_ = 0;
};

} // namespace bench
