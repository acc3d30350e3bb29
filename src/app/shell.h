// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace lf {

// Busy pointer over the whole application (nests: every on needs an off).
void hourglass(bool on);
// Returns after `seconds` have passed on a monotonic clock, running the
// event loop meanwhile (callers must tolerate their own events re-entering).
void wait_seconds(double seconds);
// Lets pending events run once.
void do_events();

// Opens a web address in the browser when the first line of s is one.
bool open_url(const QString &s);
// A folder in the file manager, a file in its desktop program, or a web
// address in the browser; "Path not found: " + path otherwise.
void open_in_explorer(const QString &path);

// "Error " + number + " - " + description, OK only.
void report_error(int number, const QString &description);
// The same for the last C library error (errno).
void report_errno(int err);

// What hands a URL to the desktop; tests record instead of launching.
using DesktopOpener = std::function<bool(const QUrl &)>;
void set_desktop_opener(DesktopOpener opener);
bool desktop_open(const QUrl &url);

} // namespace lf
