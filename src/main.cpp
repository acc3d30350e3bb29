#include "app/windows/startup.h"
#include "panel/information_texts.h"

#include <QApplication>

#include <cstdio>

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

    QApplication application(argc, argv);
    // The process ends by its own rules once no window is registered.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    lf::start_up(args);
    return QApplication::exec();
}
