// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace lf {

inline constexpr int thumbnail_margin = 120;
// Rows stop making the window taller here; further rows scroll.
inline constexpr int sheet_height_limit = 11700;
inline constexpr int max_sheet_entries = 1000;

// Grid geometry of one sheet, in twips. Columns and rows count from 1, list
// positions from 1.
struct SheetLayout {
    double S = 0; // side of the square cell
    int columns = 7;
    int frame_width = 0;
    int frame_height = 0;

    static SheetLayout make(int screen_width, int columns, int frame_width, int frame_height);

    int window_width() const;
    int load_height() const;
    int row_of(int i) const;
    int column_of(int i) const;
    int cell_left(int i) const;
    int cell_top(int i) const;
    // Window height once position i is drawn (rows so far plus menu bar).
    int sheet_height(int i) const;
    // Height of the drawing area that holds `count` positions.
    int canvas_height(int count) const;
    int canvas_width() const;
    // Side of the cell in whole device pixels at `ratio` of them per logical
    // pixel (the size pictures are decoded to).
    int cell_pixels(double ratio) const;
};

// Where a W x H picture goes in the cell of position i: the longer side
// takes S, the other is centred. An empty size fills the whole cell.
TwipRect fit_in_cell(const SheetLayout &l, int i, QSize picture);
// The file-name label sits right under the fitted picture, S wide.
TwipRect label_under(const SheetLayout &l, int i, const TwipRect &picture);

// The lines of a thumbnail file, at most max_sheet_entries of them; over
// long lines (no path is that long) are kept as blanks so positions stay.
QStringList read_thumbnail_file(const QString &path);

struct SequenceInfo {
    bool prev_avail = false;
    bool next_avail = false;
    QString n_of_m; // "(2 of 3)", or "" when the name has no position
};
SequenceInfo explore_tn_sequence(const QString &current_file);
// The window caption: file name + " " + "(n of m)".
QString sheet_caption(const QString &current_file, const SequenceInfo &info);

struct SequenceStep {
    QString file;    // the file to show, or ""
    QString message; // what to tell the user instead
};
SequenceStep next_previous_tn_file(const QString &current_file, bool next);

} // namespace lf
