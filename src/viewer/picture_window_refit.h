// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/picture_window_sizing.h"
#include "viewer/picture_window_state.h"
#include "viewer/viewer_state.h"

#include <QSize>

namespace lf {

// The size (twips) a load step shows: on a fresh open the picture's own,
// kept as the hand-over's original size; else the size handed over. The
// hand-over's aspect ratio follows either.
QSize load_size(ViewerState &v, QSize natural);

// A window refitting its picture to `window`, with its own original size
// and the picture's relative position.
ResizeInput resize_input(const PictureWindowState &st, TwipRect window, TwipRect picture,
                         bool fit_mode);
// Takes a refit's result back: the relative position, and whether the
// window now differs from its size at load.
void take_refit(PictureWindowState &st, const PictureLayout &l);

// A picture dragged to left, top (twips in the window): its position kept
// as fractions of the client area.
void take_drop(PictureWindowState &st, const FrameTwips &f, TwipRect window, int left, int top);

} // namespace lf
