#include "viewer/fitted_decode.h"

#include "app/app_state.h"
#include "app/screen.h"
#include "app/twips.h"

#include <algorithm>

namespace lf {
namespace {

int whole_pixels(int twips) { return (twips + twips_per_pixel - 1) / twips_per_pixel; }

} // namespace

QSize fitted_decode_size(const ScreenTwips &s, const FrameTwips &f, QSize natural)
{
    if (!natural.isValid() || natural.isEmpty())
        return {};
    const double ratio = double(natural.width()) / natural.height();
    const PictureLayout l = layout_at_load(s, f, px_to_twips(natural.width()),
                                           px_to_twips(natural.height()), ratio);
    if (!l.shrunk)
        return natural;
    const QSize shown(whole_pixels(l.picture.width), whole_pixels(l.picture.height));
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
                              natural);
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
