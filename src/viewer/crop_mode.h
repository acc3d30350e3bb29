// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace lf {

// What the picture window shows in crop mode, in twips: the picture's place
// inside the client area and the window's outer size.
struct CropView {
    int picture_left = 0;
    int picture_top = 0;
    int picture_width = 0;
    int picture_height = 0;
    int window_width = 0;
    int window_height = 0;
    friend bool operator==(const CropView &, const CropView &) = default;
};

// The visible part as fractions of the picture as shown.
struct VisibleFractions {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;
    bool uncropped() const { return left == 0 && top == 0 && width == 1 && height == 1; }
};

VisibleFractions visible_fractions(const CropView &v, int frame_width, int frame_height);

// The visible part of a picture of `picture` pixels, in whole pixels (at
// least 1 x 1); it may reach beyond the picture when the window is larger.
QRect crop_pixel_rect(const VisibleFractions &f, QSize picture);

// The window's inner size in device pixels at `ratio` of them per logical
// pixel (at least 1 x 1).
QSize inner_pixel_size(int window_width, int window_height, int frame_width, int frame_height,
                       double ratio);

// Lower-case file name + " (" + left + ", " + top + ")", in whole pixels of
// the picture at `ratio` device pixels per logical pixel.
QString crop_caption(const QString &file_name, int picture_left, int picture_top, double ratio);

enum class CropKey { PageUp, PageDown, End, Home, Left, Up, Right, Down, KeypadPlus, KeypadMinus };

// The crop key for a Qt key code and its modifiers (Shift is read apart).
std::optional<CropKey> crop_key_for(int qt_key, Qt::KeyboardModifiers modifiers);

// Quick repeats move further: 6 (3 with Shift) when the previous key-down
// came less than half a second earlier, 1 otherwise. Times are seconds since
// midnight; a key pressed just after midnight still counts as quick.
int crop_step_factor(double now_seconds, double last_key_seconds, bool shift);

struct CropKeyResult {
    CropView view;
    bool beep = false;
};

// One crop key: moves the picture and resizes the window by the table of
// the crop keys. With Shift only the arrows act, and only on the window.
// Page Down and Down shrink the window only while the picture's bottom edge
// is above the window's inner bottom edge.
std::optional<CropKeyResult> apply_crop_key(CropKey key, bool shift, int m, const CropView &v,
                                            int frame_height);

// Where to put the pointer when crop mode toggles: the window's centre when
// the pointer lies outside the window, nothing otherwise (twips).
std::optional<QPoint> recentred_pointer(const TwipRect &window, QPoint pointer);

} // namespace lf
