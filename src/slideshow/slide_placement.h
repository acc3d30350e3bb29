// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

#include <QString>

namespace lf {

struct SlideList;

// Everything the full-screen placement of one picture depends on (twips).
struct PlacementInput {
    int original_width = 0;
    int original_height = 0;
    int screen_width = 0;
    int screen_height = 0;
    bool status_shown = false;
    int status_margin = 0; // file-name label height + 90
    bool fit_mode = false;
    bool slide_show = true;
    int handover_width = 0; // single picture handed over at this size
    int handover_height = 0;
};

inline constexpr int status_margin_extra = 90;
inline constexpr int fit_mode_gap = 800;

// Fitted (and, in fit mode, enlarged) size, centred on the screen.
TwipRect place_picture(const PlacementInput &in);
// Width from height (or height from width for landscape pictures), centred.
TwipRect restore_proportions(const TwipRect &r, int original_width, int original_height,
                             int screen_width, int screen_height);
// 20 % larger ("+") or a fifth smaller ("-"), proportions restored, centred.
TwipRect zoom_picture(const TwipRect &r, bool in, int original_width, int original_height,
                      int screen_width, int screen_height);
TwipRect centred(int width, int height, int screen_width, int screen_height);
// The size a shown picture keeps in a moving window: as shown, but shrunk
// (proportions kept) to fit within max_width x max_height, so that a zoomed
// picture can still move and bounce on the screen. Never below 1 x 1.
TwipRect moving_handover_size(int width, int height, int max_width, int max_height);

// The status bar: captions and places of its labels.
struct StatusCaptions {
    QString show_hide, random, autom, interval, unseen, exit, forward, backward;
};
inline constexpr int show_hide_blanks = 400;
// For the running show's modes, interval and unseen count.
StatusCaptions status_captions(const SlideList &s, bool visible, bool wrapped);
// "path (n/count)" in full, as the tool tip shows it.
QString comment_full_text(const QString &picture_path, int current_slide, int slide_count);
// "path (n/count)", shortened to "..." + its last 79 characters past 80.
QString comment_text(const QString &picture_path, int current_slide, int slide_count);

// Label widths in, places out (all share one row at the bottom).
struct StatusWidths {
    int show_hide = 0, autom = 0, interval = 0, random = 0, exit = 0, unseen = 0,
        backward = 0, forward = 0, filename = 0;
    int height = 0; // of l_filename; every label gets its row
};
struct StatusLayout {
    TwipRect show_hide, autom, interval, random, exit, unseen, backward, forward, filename;
};
StatusLayout status_layout(const StatusWidths &w, int window_width, int window_height);

// The height a slide is decoded for: the screen less the status bar's
// margins above and below the picture while the bar is shown.
int decode_height(int screen_height, int filename_height, bool status_shown);
// The pointer is moved away when it lies strictly inside the middle 60 %.
bool pointer_too_central(int x, int y, int screen_width, int screen_height);

} // namespace lf
