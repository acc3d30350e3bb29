// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "slideshow/slide_list.h"

#include <QString>

namespace lf {

// What one full-screen window remembers between selections.
struct ShowCursor {
    bool wrapped = false; // ran past the end, or saw every picture
    bool replay = false;  // show history[history_pos] again (refresh)
};

struct Selection {
    int slide = 0; // 0: nothing left to show (every entry deleted)
    bool from_history = false;
    bool was_seen = false;
};

// Chooses slides().current_slide for the next picture and marks it seen.
// Beeps through the window layer at the end of a round.
Selection select_next(SlideList &s, ShowCursor &c, const QString &deleted_pictures);

// The next picture to show: entries whose names are not pictures are
// passed by. When a passed-by name comes round again (every entry left is
// such a name), the user is told "Bad file name: " + path and the pick is
// Bad.
struct PictureChoice {
    enum Kind { Picture, Bad, NothingLeft } kind = NothingLeft;
    Selection selection; // of the last entry looked at
    QString path;
};
PictureChoice choose_picture(SlideList &s, ShowCursor &c, const QString &deleted_pictures);

// After the picture is on screen: extends the history (unless it came from
// there) and counts it as seen.
void record_shown(SlideList &s, const Selection &sel);

// The slide a forward step would show next, without changing the order of
// the show: a random pick draws its number now and keeps it for the real
// pick. 0 when the next picture cannot be told.
int predict_next_forward(SlideList &s, const ShowCursor &c);

// True when path is listed in deleted_pictures ("|" + path each), exactly:
// /a/X.jpg and /a/x.jpg are two pictures.
bool is_deleted(const QString &path, const QString &deleted_pictures);

// The go-to-number answer.
struct GoToAnswer {
    enum Kind { Leave, Take, NotAllowed, FormatError } kind = Leave;
    int number = 0;
};
GoToAnswer parse_go_to_answer(const QString &answer, int slide_count);

} // namespace lf
