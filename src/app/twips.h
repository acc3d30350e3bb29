// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// Window geometry is kept in twips, as the layout rules are written in them;
// only the code that places a widget converts to pixels. Twips count logical
// pixels; a picture's own pixels are device pixels, `ratio` of them to a
// logical pixel, so that a picture at its own size is 1:1 with the screen.
namespace lf {

inline constexpr int twips_per_pixel = 15;

constexpr int px_to_twips(int px) { return px * twips_per_pixel; }
constexpr int twips_to_px(int tw) { return tw / twips_per_pixel; }

inline int picture_px_to_twips(int px, double ratio)
{
    return int(std::lround(px * double(twips_per_pixel) / ratio));
}
// Truncated like twips_to_px, after the half twip the way there may have
// rounded off (sizes, never negative).
inline int twips_to_picture_px(int tw, double ratio)
{
    return int(std::floor((tw + 0.5) * ratio / twips_per_pixel));
}

// Outer geometry of a window or a control, in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};

constexpr int right_edge(const TwipRect &r) { return r.left + r.width; }
constexpr int bottom_edge(const TwipRect &r) { return r.top + r.height; }

} // namespace lf
