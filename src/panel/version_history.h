// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace lf {

// The history compiled into the program, newest first, one line each:
// entries "NN^yymmdd.s) K: text", version separators, and the end line.
const QStringList &version_history();

// Mode 0: the history, each line preceded by CR LF. Any other mode: the
// current version, from the newest entry ("4.0.17 (12/May/2007)"), with the
// month abbreviated in the locale's language.
QString version_history_text(int mode);
QString version_history_text(int mode, const QStringList &lines);

QString current_version();

} // namespace lf
