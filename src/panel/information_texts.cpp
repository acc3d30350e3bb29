// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/information_texts.h"

#include "app/prompt.h"
#include "panel/project_info.h"
#include "panel/version_history.h"

#include <QDir>
#include <QFileInfo>

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

QString about_text(const QString &source_archive)
{
    const QString para = crlf + crlf;
    return QStringLiteral("Lumenfolio version ") + current_version() + para
         + QStringLiteral("Copyright (C) ") + copyright_years
         + QStringLiteral(" the Lumenfolio developers.") + para
         + QStringLiteral("Lumenfolio is free software: you can redistribute it and/or modify it "
                          "under the terms of the GNU General Public License as published by the "
                          "Free Software Foundation, either version 3 of the License, or (at your "
                          "option) any later version. It is distributed in the hope that it will be "
                          "useful, but WITHOUT ANY WARRANTY; without even the implied warranty of "
                          "MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General "
                          "Public License for more details: https://www.gnu.org/licenses/")
         + para + QStringLiteral("The complete source code of this version is distributed with the program")
         + (source_archive.isEmpty()
                ? QString(QStringLiteral(" (the package installs it as share/lumenfolio/")
                          + source_archive_name + QStringLiteral(")."))
                : QString(QLatin1Char(':') + crlf + source_archive))
         + crlf + QStringLiteral("The project has no web site.");
}

QString about_title() { return QStringLiteral("About ") + app_title; }

QString help_text(const QString &manual)
{
    QString text = QStringLiteral("Sorry, help is under construction. Use the mouse right button to see "
                                  "the options available in each window.")
                 + crlf + crlf
                 + QStringLiteral("The manual lists the keys of every window and the files the "
                                  "program uses; \"man lumenfolio\" shows it in a terminal.");
    if (!manual.isEmpty())
        text += crlf + QStringLiteral("Press OK to open it in your browser.");
    return text;
}

QString no_web_site_text()
{
    return QStringLiteral("Lumenfolio has no web site. The complete source code of this version is "
                          "distributed with the program; About Lumenfolio says where.");
}

QString program_data_file(const QString &program_dir, const QString &name)
{
    for (const char *folder : {"/../share/lumenfolio/", "/share/lumenfolio/"}) {
        const QString path = QDir::cleanPath(program_dir + QLatin1String(folder) + name);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
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
             + QStringLiteral("The manual: man lumenfolio\n");
    return std::nullopt;
}

} // namespace lf
