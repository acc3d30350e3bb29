// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process_end.h"

#include "app/app_state.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/temp_folders.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lf {

void cleanup_and_end()
{
    forget_settings_inside(app().tmp_pic_dir, false);
    remove_tmp_pic_dir(app().tmp_pic_dir);
    windows().end_process();
}

void after_viewing_window_closed()
{
    switch (after_viewing_window_closed(registry())) {
    case AfterClose::EndProcess:
        cleanup_and_end();
        break;
    case AfterClose::ShowMainPanel:
        windows().show_main_panel();
        break;
    case AfterClose::Nothing:
        break;
    }
}

void after_main_panel_closed()
{
    if (after_main_panel_closed(registry()) == AfterClose::EndProcess)
        cleanup_and_end();
}

namespace {

int signal_pipe[2] = {-1, -1};

void on_signal(int)
{
    const int saved = errno;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signal_pipe[1], &c, 1);
    errno = saved;
}

} // namespace

void end_on_signal()
{
    AppState &a = app();
    if (a.ending)
        return;
    a.ending = true;
    windows().close_all_windows();
    // A show whose window did not save it is saved here.
    if (slides().slide_show_active)
        end_slide_show(QString());
    cleanup_and_end();
}

void end_on_signals()
{
    if (signal_pipe[0] >= 0)
        return;
    // The handler only writes a byte; the program ends on the user-interface
    // thread, where the windows live.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signal_pipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char c;
        while (::read(signal_pipe[0], &c, 1) > 0) {
        }
        end_on_signal();
    });
    struct sigaction sa {};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &sa, nullptr);
}

void stop_on_missing_tag()
{
    notify(tag_missing_message);
    windows().end_process();
}

} // namespace lf
