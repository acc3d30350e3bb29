#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lf {

// The texts of the "?" menu's windows.
QString version_history_window_text();
QString version_history_window_title();
QString about_text();
QString about_title();
QString help_text();

// The reply to "--help" or "--version" as the only argument, or nothing
// when the arguments name a file to open.
std::optional<QString> command_line_reply(const QStringList &arguments_after_program);

} // namespace lf
