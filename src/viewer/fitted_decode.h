// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/picture_window_sizing.h"

#include <QSize>

namespace lf {

// Device pixels covered by an area of width x height twips on a screen with
// `ratio` device pixels per logical pixel, rounded up; what a picture shown
// there is decoded to, so that it is drawn without enlarging.
QSize device_pixel_size(int width_twips, int height_twips, double ratio);

// Pixel size the picture window shows a picture of `natural` pixels at
// right after loading: the load step's sizing against this screen and
// frame (the picture's own pixels 1:1 with the screen's), in device pixels
// rounded up and never above the natural size. The window decodes to this
// size, so a 24 MP photo costs what its fitted view costs.
QSize fitted_decode_size(const ScreenTwips &s, const FrameTwips &f, QSize natural, double ratio);

// The size the picture window first decodes a picture of `natural` pixels
// at, on this screen (at its pixel ratio) with the frame and the taskbar
// start-up measured. The window, its read-ahead and start-up's early decode
// all use this one.
QSize first_decode_size(QSize natural);

// Size to decode again when the picture is shown at `shown` device pixels
// but was decoded at `decoded`: invalid while the decoded picture is large
// enough (or already the full resolution), else `shown` capped at the
// natural size, with the natural aspect ratio.
QSize larger_decode_size(QSize decoded, QSize shown, QSize natural);

} // namespace lf
