#pragma once

#include <QString>
#include <QStringList>

namespace lf {

// The command line as one path: arguments joined by blanks (a path with
// spaces given unquoted still names one file), trimmed.
QString command_line_text(const QStringList &arguments_after_program);

enum class StartKind { MainPanel, SlideShow, ThumbnailFile, Picture };
// By the last four characters, without regard to case.
StartKind classify_start_argument(const QString &argument);

// Steps 3 and 4: quotes removed and made absolute; a missing file is reported ("File not
// found " + path) and dropped; an existing one takes its on-disk spelling.
QString checked_start_argument(QString argument);

// Step 8: settings read into the shared state, stale paths blanked.
void read_start_settings();

// Step 10: opens the first window for app().start_argument.
void dispatch_start_argument();

} // namespace lf
