// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_window_sizing.h"

#include "app/app_state.h"
#include "app/paths.h"

#include <cmath>

namespace lf {
namespace {

int times(int v, double ratio) { return int(std::lround(v * ratio)); }
int divided(int v, double ratio) { return ratio > 0 ? int(std::lround(v / ratio)) : 0; }

void place_picture(const FrameTwips &f, PictureLayout &l, double rel_left, double rel_top)
{
    const int cw = client_width(f, l.window.width);
    const int ch = client_height(f, l.window.height);
    if (rel_left == 0) {
        l.picture.left = 0;
        l.picture.top = 0;
    } else {
        l.picture.left = int(std::lround(rel_left * cw));
        l.picture.top = int(std::lround(rel_top * ch));
    }
    // A window smaller than its margins has no client area to measure from.
    l.rel_left = cw > 0 ? double(l.picture.left) / cw : 0;
    l.rel_top = ch > 0 ? double(l.picture.top) / ch : 0;
}

} // namespace

int client_width(const FrameTwips &f, int window_width) { return window_width - f.extra_width - 90; }
int client_height(const FrameTwips &f, int window_height)
{
    return window_height - f.extra_height - 375;
}

PictureLayout layout_at_load(const ScreenTwips &s, const FrameTwips &f, int picture_width,
                             int picture_height, double aspect_ratio)
{
    PictureLayout l;
    l.picture = {0, 0, picture_width, picture_height};
    l.window = {0, 0, picture_width + f.width, picture_height + f.height};
    // Without a known ratio (nothing decoded) there is nothing to fit.
    if (aspect_ratio <= 0)
        return l;
    if (l.window.height > s.height - s.taskbar) {
        l.shrunk = true;
        // A frame thinner than the nominal one must not make it taller than
        // the screen.
        l.window.height = s.height - s.taskbar - qMax(0, f.extra_height);
        l.picture.height = l.window.height - f.height;
        l.picture.width = times(l.picture.height, aspect_ratio);
        l.window.width = l.picture.width + f.width;
    }
    if (l.window.width > s.width || l.picture.width + f.width > s.width) {
        l.shrunk = true;
        l.window.width = s.width;
        l.picture.width = l.window.width - f.width;
        l.picture.height = divided(l.picture.width, aspect_ratio);
        l.window.height = l.picture.height + f.height;
    }
    return l;
}

TwipRect centered_above_taskbar(const ScreenTwips &s, TwipRect window)
{
    window.top = (s.height - s.taskbar - window.height) / 2;
    window.left = (s.width - window.width) / 2;
    return window;
}

PictureLayout layout_after_resize(const ScreenTwips &s, const FrameTwips &f, const ResizeInput &in)
{
    PictureLayout l;
    l.window = in.window;
    l.picture = in.picture;
    const int work_height = s.height - s.taskbar;
    bool height_limited = false;
    bool by_height = true;
    if (in.original_width > in.original_height) {
        by_height = false;
        if (l.window.width > s.width || (in.fit_mode && l.window.width < s.width)) {
            l.window.left = 0;
            l.window.width = s.width;
        }
        l.picture.width = l.window.width - f.width;
        l.picture.height = divided(l.picture.width, in.aspect_ratio);
        l.window.height = l.picture.height + f.height;
        if (l.window.height > work_height) {
            l.window.height = work_height;
            l.window.top = 0;
            height_limited = true;
            by_height = true;
        }
    }
    if (by_height) {
        if (l.window.height > work_height || (in.fit_mode && l.window.height < work_height)) {
            l.window.top = 0;
            l.window.height = work_height;
        }
        if (l.window.height - f.height > 0)
            l.picture.height = l.window.height - f.height;
        l.picture.width = times(l.picture.height, in.aspect_ratio);
        if (!height_limited)
            l.window.width = l.picture.width + f.width;
    }
    place_picture(f, l, in.rel_left, in.rel_top);
    return l;
}

PictureLayout layout_original_resolution(const ScreenTwips &s, const FrameTwips &f,
                                         int original_width, int original_height)
{
    PictureLayout l;
    l.window = {0, 0, s.width, s.height - 450};
    const int cw = client_width(f, l.window.width);
    const int ch = client_height(f, l.window.height);
    l.picture = {(cw - original_width) / 2, (ch - original_height) / 2, original_width,
                 original_height};
    l.rel_left = cw > 0 ? double(l.picture.left) / cw : 0;
    l.rel_top = ch > 0 ? double(l.picture.top) / ch : 0;
    l.needs_crop_mode = l.window.height - f.height < original_height
                     || l.window.width - f.width < original_width;
    return l;
}

PictureLayout layout_web_size(TwipRect window, int original_width, int original_height,
                              double aspect_ratio, double ratio)
{
    const int max_width = int(std::lround(web_max_width / ratio));
    const int max_height = int(std::lround(web_max_height / ratio));
    PictureLayout l;
    l.window = window;
    if (original_height > original_width) {
        l.picture.height = qMin(original_height, max_height);
        l.picture.width = times(l.picture.height, aspect_ratio);
    } else {
        l.picture.width = qMin(original_width, max_width);
        l.picture.height = divided(l.picture.width, aspect_ratio);
        if (l.picture.height > max_height) {
            l.picture.height = max_height;
            l.picture.width = times(l.picture.height, aspect_ratio);
        }
    }
    l.window.width = l.picture.width + nominal_frame_width;
    l.window.height = l.picture.height + nominal_frame_height;
    return l;
}

TwipRect zoomed_window(TwipRect window, bool zoom_in)
{
    const int dw = int(std::lround(window.width / 20.0));
    const int dh = int(std::lround(window.height / 20.0));
    window.width += zoom_in ? dw : -dw;
    window.height += zoom_in ? dh : -dh;
    return window;
}

QString caption_after_load(const QString &path, int shown_width, int original_width)
{
    QString caption = file_name_of(path).toLower();
    if (original_width > 0) {
        const double ratio = double(shown_width) / original_width;
        if (ratio != 1)
            caption += QStringLiteral(" - Res. ratio ")
                     + QString::number(std::round(ratio * 10) / 10);
    }
    return caption;
}

QString caption_with_size(const QString &path, int picture_width, int picture_height, double ratio)
{
    return file_name_of(path).toLower() + QStringLiteral(" (")
         + QString::number(twips_to_picture_px(picture_width, ratio)) + QStringLiteral("x")
         + QString::number(twips_to_picture_px(picture_height, ratio)) + QStringLiteral(")");
}

QString original_resolution_caption(int original_width, int original_height, double ratio)
{
    return QStringLiteral("Original resolution ")
         + QString::number(twips_to_picture_px(original_width, ratio)) + QStringLiteral(" x ")
         + QString::number(twips_to_picture_px(original_height, ratio)) + QStringLiteral(" (/)");
}

QString jpeg_quality_caption(int quality)
{
    return QStringLiteral("Change quality of saved JPEG pictures (now ") + QString::number(quality)
         + QStringLiteral(")");
}

} // namespace lf
