// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/fitted_decode.h"

#include "app/app_state.h"
#include "app/screen.h"
#include "app/twips.h"

#include <algorithm>
#include <cmath>

namespace lf {

QSize device_pixel_size(int width_twips, int height_twips, double ratio)
{
    // A hair below a whole pixel is that pixel: 1.5 x 1333 logical pixels
    // are not 2000.0001 device pixels.
    auto up = [ratio](int tw) {
        return qMax(0, int(std::ceil(tw * ratio / twips_per_pixel - 1e-6)));
    };
    return QSize(up(width_twips), up(height_twips));
}

QSize fitted_decode_size(const ScreenTwips &s, const FrameTwips &f, QSize natural, double ratio)
{
    if (!natural.isValid() || natural.isEmpty())
        return {};
    const double aspect = double(natural.width()) / natural.height();
    const PictureLayout l = layout_at_load(s, f, picture_px_to_twips(natural.width(), ratio),
                                           picture_px_to_twips(natural.height(), ratio), aspect);
    if (!l.shrunk)
        return natural;
    const QSize shown = device_pixel_size(l.picture.width, l.picture.height, ratio);
    if (shown.isEmpty())
        return QSize(1, 1);
    // The smooth scaling in the control then only ever shrinks a little.
    return natural.scaled(shown, Qt::KeepAspectRatioByExpanding).boundedTo(natural)
        .expandedTo(QSize(1, 1));
}

QSize first_decode_size(QSize natural)
{
    const AppState &a = app();
    ScreenTwips s = screen_twips();
    s.taskbar = a.taskbar_height;
    return fitted_decode_size(s, {a.frame_width, a.frame_height, a.frame_extra_width, a.frame_extra_height},
                              natural, screen_pixel_ratio());
}

QSize larger_decode_size(QSize decoded, QSize shown, QSize natural)
{
    if (!natural.isValid() || natural.isEmpty() || !shown.isValid() || shown.isEmpty())
        return {};
    if (decoded.width() >= natural.width() && decoded.height() >= natural.height())
        return {};
    if (decoded.width() >= shown.width() && decoded.height() >= shown.height())
        return {};
    return natural.scaled(shown, Qt::KeepAspectRatioByExpanding).boundedTo(natural)
        .expandedTo(QSize(1, 1));
}

} // namespace lf
