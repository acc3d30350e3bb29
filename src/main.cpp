// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_session.h"
#include "app/windows/startup.h"
#include "panel/information_texts.h"

#include <QApplication>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    // --help and --version answer without a display.
    QStringList plain;
    for (int i = 1; i < argc; ++i)
        plain << QString::fromLocal8Bit(argv[i]);
    if (const auto reply = lf::command_line_reply(plain)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }

    // Asked on the command line rather than in the environment, so that the
    // programs we start (the editor, the file manager) keep their own choice.
    const QByteArray platform =
        lf::preferred_platform(qEnvironmentVariable("QT_QPA_PLATFORM"),
                               qEnvironmentVariable("WAYLAND_DISPLAY"),
                               qEnvironmentVariable("DISPLAY"),
                               qEnvironmentVariable("XDG_SESSION_TYPE"))
            .toLatin1();
    std::vector<char *> qt_args(argv, argv + argc);
    char platform_option[] = "-platform";
    if (!platform.isEmpty())
        qt_args.insert(qt_args.begin() + 1, {platform_option, const_cast<char *>(platform.data())});
    int qt_argc = int(qt_args.size());
    qt_args.push_back(nullptr);

    QApplication application(qt_argc, qt_args.data());
    // The process ends by its own rules once no window is registered.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    lf::start_up(args);
    return QApplication::exec();
}
