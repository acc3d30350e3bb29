// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lf {

// The path the command line names: the first argument, trimmed; the rest
// are ignored. Only when the first names nothing and all of them joined by
// blanks name a file (a path with blanks typed without quotes) is it that.
QString command_line_text(const QStringList &arguments_after_program);

enum class StartKind { MainPanel, SlideShow, ThumbnailFile, Picture };
// By the last four characters, without regard to case.
StartKind classify_start_argument(const QString &argument);

// Steps 3 and 4: quotes removed and made absolute; a missing file is
// reported ("File not found " + path) and dropped, so is one the first window
// would have nothing to show for ("Bad file name: " + path: a folder, or no
// picture where a picture is expected); an existing one takes its on-disk
// spelling.
QString checked_start_argument(QString argument);

// Step 8: settings read into the shared state, stale paths blanked.
void read_start_settings();

// Step 10: opens the first window for app().start_argument.
void dispatch_start_argument();

} // namespace lf
