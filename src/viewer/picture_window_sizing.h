// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/screen.h"
#include "app/twips.h"

#include <QString>

namespace lf {

// The frame a picture window's layout reckons with (twips): the measured
// frame, and how much it differs from the nominal one.
struct FrameTwips {
    int width = 0;        // frame_width
    int height = 0;       // frame_height
    int extra_width = 0;  // frame_extra_width
    int extra_height = 0; // frame_extra_height
};

// Outer window geometry and the picture's geometry inside the window, twips.
struct PictureLayout {
    TwipRect window;
    TwipRect picture;
    double rel_left = 0;
    double rel_top = 0;
    bool shrunk = false;   // the load had to shrink the picture to the screen
    bool needs_crop_mode = false; // original resolution does not fit the window
};

// Where the picture may be placed: the window less its frame and margins.
int client_width(const FrameTwips &f, int window_width);
int client_height(const FrameTwips &f, int window_height);

// The load step's sizing: the picture at width x height, the window around
// it, then fitted to the screen's height above the taskbar and to its width.
// The window's position is left at 0, 0 (the caller centres it).
PictureLayout layout_at_load(const ScreenTwips &s, const FrameTwips &f, int picture_width,
                             int picture_height, double aspect_ratio);

// Window position centred above the taskbar.
TwipRect centered_above_taskbar(const ScreenTwips &s, TwipRect window);

struct ResizeInput {
    TwipRect window;  // the size the user (or a command) gave the window
    TwipRect picture; // the picture as it is shown now
    int original_width = 0;
    int original_height = 0;
    double aspect_ratio = 0;
    bool fit_mode = false;
    double rel_left = 0;
    double rel_top = 0;
};

// The picture refitted to a resized window: landscape pictures by width,
// portrait and square ones (and landscape ones that got too tall) by height.
PictureLayout layout_after_resize(const ScreenTwips &s, const FrameTwips &f, const ResizeInput &in);

// Original resolution: a window as wide as the screen and 450 twips lower,
// with the picture at its own size centred in the client area.
PictureLayout layout_original_resolution(const ScreenTwips &s, const FrameTwips &f,
                                         int original_width, int original_height);

// Largest picture for web publishing: 792 x 544 of its own pixels (twips
// at a pixel ratio of 1).
inline constexpr int web_max_width = 11880;
inline constexpr int web_max_height = 8160;
// Web resolution; the window keeps its position and gets the nominal frame.
// `ratio`: the screen's device pixels per logical pixel.
PictureLayout layout_web_size(TwipRect window, int original_width, int original_height,
                              double aspect_ratio, double ratio);

// One zoom step: 5 % of the window's size, larger or smaller.
TwipRect zoomed_window(TwipRect window, bool zoom_in);

// Captions. Sizes are told in the picture's own pixels: twips at `ratio`
// device pixels per logical pixel.
QString caption_after_load(const QString &path, int shown_width, int original_width);
QString caption_with_size(const QString &path, int picture_width, int picture_height, double ratio);
QString original_resolution_caption(int original_width, int original_height, double ratio);
QString jpeg_quality_caption(int quality);

} // namespace lf
