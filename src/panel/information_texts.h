// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lf {

// The texts of the "?" menu's windows.
QString version_history_window_text();
QString version_history_window_title();
// The source archive and the HTML manual are paths, "" when not installed.
QString about_text(const QString &source_archive);
QString about_title();
QString help_text(const QString &manual);
QString no_web_site_text();
// `name` in the data folder beside the program: <prefix>/share/lumenfolio
// for an installed program, share/lumenfolio in the build folder; "" when
// neither holds it.
QString program_data_file(const QString &program_dir, const QString &name);

// The reply to "--help" or "--version" as the only argument, or nothing
// when the arguments name a file to open.
std::optional<QString> command_line_reply(const QStringList &arguments_after_program);

} // namespace lf
