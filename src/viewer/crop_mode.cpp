// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/crop_mode.h"

#include <cmath>

namespace lf {

VisibleFractions visible_fractions(const CropView &v, int frame_width, int frame_height)
{
    VisibleFractions f;
    if (v.picture_width <= 0 || v.picture_height <= 0)
        return f;
    const double w = v.picture_width;
    const double h = v.picture_height;
    f.left = -v.picture_left / w;
    f.top = -v.picture_top / h;
    f.width = (v.window_width - frame_width) / w;
    f.height = (v.window_height - frame_height) / h;
    return f;
}

QRect crop_pixel_rect(const VisibleFractions &f, QSize picture)
{
    const int x = int(std::lround(f.left * picture.width()));
    const int y = int(std::lround(f.top * picture.height()));
    const int w = std::max(1, int(std::lround(f.width * picture.width())));
    const int h = std::max(1, int(std::lround(f.height * picture.height())));
    return QRect(x, y, w, h);
}

QSize inner_pixel_size(int window_width, int window_height, int frame_width, int frame_height,
                       double ratio)
{
    return QSize(std::max(1, twips_to_picture_px(std::max(0, window_width - frame_width), ratio)),
                 std::max(1, twips_to_picture_px(std::max(0, window_height - frame_height), ratio)));
}

QString crop_caption(const QString &file_name, int picture_left, int picture_top, double ratio)
{
    const auto px = [ratio](int tw) {
        return QString::number(std::lround(tw * ratio / twips_per_pixel));
    };
    return file_name.toLower() + QStringLiteral(" (") + px(picture_left) + QStringLiteral(", ")
         + px(picture_top) + QLatin1Char(')');
}

std::optional<CropKey> crop_key_for(int qt_key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (qt_key) {
    case Qt::Key_PageUp: return CropKey::PageUp;
    case Qt::Key_PageDown: return CropKey::PageDown;
    case Qt::Key_End: return CropKey::End;
    case Qt::Key_Home: return CropKey::Home;
    case Qt::Key_Left: return CropKey::Left;
    case Qt::Key_Up: return CropKey::Up;
    case Qt::Key_Right: return CropKey::Right;
    case Qt::Key_Down: return CropKey::Down;
    case Qt::Key_Plus:
        if (keypad)
            return CropKey::KeypadPlus;
        break;
    case Qt::Key_Minus:
        if (keypad)
            return CropKey::KeypadMinus;
        break;
    default: break;
    }
    return std::nullopt;
}

int crop_step_factor(double now_seconds, double last_key_seconds, bool shift)
{
    double gap = now_seconds - last_key_seconds;
    if (gap < 0)
        gap += 86400.0;
    if (gap < 0.5)
        return shift ? 3 : 6;
    return 1;
}

std::optional<CropKeyResult> apply_crop_key(CropKey key, bool shift, int m, const CropView &v,
                                            int frame_height)
{
    CropKeyResult r{v, false};
    CropView &n = r.view;
    const auto bottom_above_window = [&] {
        return n.picture_top + n.picture_height < n.window_height - frame_height;
    };
    if (shift) {
        switch (key) {
        case CropKey::Left: n.window_width -= 15 * m; break;
        case CropKey::Up: n.window_height -= 15 * m; break;
        case CropKey::Right: n.window_width += 15 * m; break;
        case CropKey::Down: n.window_height += 15 * m; break;
        default: return std::nullopt;
        }
        return r;
    }
    bool horizontal = false;
    bool vertical = false;
    switch (key) {
    case CropKey::PageUp:
        n.picture_top += 300 * m;
        n.window_height += 15 * m;
        vertical = true;
        break;
    case CropKey::PageDown:
        n.picture_top -= 300 * m;
        if (bottom_above_window())
            n.window_height -= 15 * m;
        vertical = true;
        break;
    case CropKey::End:
        n.picture_left -= 300 * m;
        n.window_width -= 15 * m;
        horizontal = true;
        break;
    case CropKey::Home:
        n.picture_left += 300 * m;
        n.window_width += 15 * m;
        horizontal = true;
        break;
    case CropKey::Left:
        n.picture_left += 15 * m;
        n.window_width += 15 * m;
        horizontal = true;
        break;
    case CropKey::Up:
        n.picture_top += 15 * m;
        n.window_height += 15 * m;
        vertical = true;
        break;
    case CropKey::Right:
        n.picture_left -= 15 * m;
        n.window_width -= 15 * m;
        horizontal = true;
        break;
    case CropKey::Down:
        n.picture_top -= 15 * m;
        if (bottom_above_window())
            n.window_height -= 15 * m;
        vertical = true;
        break;
    case CropKey::KeypadPlus:
        n.picture_left += 15 * m;
        n.picture_top += 15 * m;
        n.window_width += 30 * m;
        n.window_height += 30 * m;
        horizontal = vertical = true;
        break;
    case CropKey::KeypadMinus:
        n.picture_left -= 15 * m;
        n.picture_top -= 15 * m;
        n.window_width -= 30 * m;
        n.window_height -= 30 * m;
        horizontal = vertical = true;
        break;
    }
    r.beep = (horizontal && n.picture_left == 0) || (vertical && n.picture_top == 0);
    return r;
}

std::optional<QPoint> recentred_pointer(const TwipRect &w, QPoint p)
{
    if (p.x() < w.left || p.x() > right_edge(w) || p.y() < w.top || p.y() > bottom_edge(w))
        return QPoint(w.left + w.width / 2, w.top + w.height / 2);
    return std::nullopt;
}

} // namespace lf
