#pragma once

// Window geometry is kept in twips, as the layout rules are written in them;
// only the code that places a widget converts to pixels.
namespace lf {

inline constexpr int twips_per_pixel = 15;

constexpr int px_to_twips(int px) { return px * twips_per_pixel; }
constexpr int twips_to_px(int tw) { return tw / twips_per_pixel; }

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
