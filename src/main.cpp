#include "app/windows/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The process ends by its own rules once no window is registered.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    lf::start_up(args);
    return QApplication::exec();
}
