#include "panel/information_texts.h"

#include "app/prompt.h"
#include "panel/project_info.h"
#include "panel/version_history.h"

namespace lf {
namespace {
const QString crlf = QStringLiteral("\r\n");
}

QString version_history_window_text()
{
    return QStringLiteral("   LUMENFOLIO VERSION HISTORY ") + crlf + crlf
         + QStringLiteral("Current version is ") + current_version() + crlf + crlf
         + QStringLiteral("It includes the following changes (F = bug fixed, I = improvement, "
                          "N = new function)")
         + crlf + QString(84, QLatin1Char('-')) + version_history_text(0);
}

QString version_history_window_title() { return app_title + QStringLiteral(" - Version history"); }

QString about_text()
{
    const QString para = crlf + crlf;
    return QStringLiteral("Lumenfolio version ") + current_version() + para
         + QStringLiteral("Copyright (C) the Lumenfolio developers. All rights reserved.") + para
         + QStringLiteral("This program is free to use for personal purposes. It is provided as "
                          "it is, without warranty of any kind; you use it at your own risk.")
         + para + QStringLiteral("Look for updates at ") + project_home_page;
}

QString about_title() { return QStringLiteral("About ") + app_title; }

QString help_text()
{
    return QStringLiteral("Sorry, help is under construction. Use the mouse right button to see "
                          "the options available in each window.")
         + crlf + crlf + QStringLiteral("Online help pages may be available at ")
         + project_help_page + crlf + QStringLiteral("Press OK to open them in your browser.");
}

std::optional<QString> command_line_reply(const QStringList &args)
{
    if (args.size() != 1)
        return std::nullopt;
    const QString &a = args.front();
    if (a == QLatin1String("--version"))
        return QStringLiteral("Lumenfolio ") + current_version() + QLatin1Char('\n');
    if (a == QLatin1String("--help"))
        return QStringLiteral("Usage: lumenfolio [FILE]\n"
                              "A picture viewer for JPEG, GIF and BMP files.\n\n"
                              "  FILE        a picture to show, a slide show file (.ssf) to run\n"
                              "              or a thumbnail file (.tnf) to browse; without FILE\n"
                              "              the main panel opens\n"
                              "  --help      show this text and exit\n"
                              "  --version   show the version and exit\n\n")
             + QStringLiteral("Home page: ") + project_home_page + QLatin1Char('\n');
    return std::nullopt;
}

} // namespace lf
