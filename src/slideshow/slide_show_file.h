// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

enum class ReadOutcome {
    Loaded,    // at least one picture in the list
    Empty,     // no picture left (empty file, or every one removed)
    Cancelled, // the user kept a missing picture: nothing changed
    Failed,    // unreadable, not a slide show, or too many pictures (said so)
};

// Loads the slide show file at path into the slide list (header values
// included), asking about missing pictures and rewriting the file without
// them. Opens nothing.
ReadOutcome read_slide_list(const QString &path);

// Reads slides().slide_show_file into the slide list and opens the
// full-screen window on it; with nothing to show, builds a show from the
// file's folder instead.
void read_slide_show_file();

// Writes the slide list with flags and the five header lines. The file is
// replaced only once it has been written completely. False after reporting
// a failure.
bool save_slide_show_file(const QString &path);

// "Save slide show file as...": proposes "_slide_show.ssf" in the folder of
// the picture on screen; the saved file becomes the show's own file.
bool save_slide_show_file_as(const QString &picture_on_screen);

// The closing save of a show. When the show has no file of the user's own,
// the caller hides its window first: this asks.
void end_slide_show(const QString &picture_on_screen);

} // namespace lf
