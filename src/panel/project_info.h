#pragma once

#include <QString>

namespace lf {

// The one place that names the project's addresses.
inline const QString project_home_page = QStringLiteral("https://lumenfolio.example.org/");
inline const QString project_help_page = QStringLiteral("https://lumenfolio.example.org/help/");

} // namespace lf
