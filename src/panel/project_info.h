// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// The one place that says where the project lives. It has no public web site
// or repository yet: the web-site command says so, and the complete source
// of each version is installed with the program instead.
inline const QString project_home_page; // empty: none yet
inline const QString copyright_years = QStringLiteral("2001-2026");
// Files of the program's data folder (share/lumenfolio).
inline const QString source_archive_name = QStringLiteral("lumenfolio-source.tar.xz");
inline const QString manual_page_name = QStringLiteral("manual.html");

} // namespace lf
