// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_placement.h"

#include "slideshow/slide_list.h"

#include <algorithm>
#include <cmath>

namespace lf {
namespace {

int whole(double v) { return int(std::lround(v)); }

} // namespace

TwipRect centred(int width, int height, int screen_width, int screen_height)
{
    return {(screen_width - width) / 2, (screen_height - height) / 2, width, height};
}

TwipRect moving_handover_size(int width, int height, int max_width, int max_height)
{
    const int one = px_to_twips(1);
    double w = std::max(width, one);
    double h = std::max(height, one);
    const double ratio = w / h;
    if (max_width > 0 && w > max_width) {
        w = max_width;
        h = w / ratio;
    }
    if (max_height > 0 && h > max_height) {
        h = max_height;
        w = h * ratio;
    }
    return {0, 0, std::max(one, int(w)), std::max(one, int(h))};
}

TwipRect place_picture(const PlacementInput &in)
{
    const double W = in.screen_width;
    const double H = in.screen_height;
    if (in.original_width <= 0 || in.original_height <= 0)
        return centred(0, 0, in.screen_width, in.screen_height);
    const double ratio = double(in.original_width) / in.original_height;
    const double margins = 2.0 * in.status_margin;
    double w = in.original_width;
    double h = in.original_height;

    if (in.handover_width != 0 && !in.slide_show) {
        w = in.handover_width;
        h = in.handover_height;
    } else {
        if (in.status_shown) {
            if (H - margins < h)
                h = H - margins;
        } else if (h > H) {
            h = H;
        }
        w = h * ratio;
        if (w > W) {
            w = W;
            h = w / ratio;
        }
    }

    if (in.fit_mode) {
        const bool landscape = in.original_width > in.original_height;
        if (in.slide_show) {
            if (landscape) {
                if (w < W - fit_mode_gap) {
                    if (W / ratio < H - margins)
                        w = W;
                    else
                        w = H * ratio - fit_mode_gap;
                    h = w / ratio;
                }
            } else if (H - margins > h) {
                h = H - margins;
                w = h * ratio;
            }
        } else if (landscape) {
            if (w < W) {
                w = W;
                h = w / ratio;
            }
        } else if (H - margins > h) {
            h = H - margins;
            w = h * ratio;
        }
    }
    return centred(whole(w), whole(h), in.screen_width, in.screen_height);
}

TwipRect restore_proportions(const TwipRect &r, int original_width, int original_height,
                             int screen_width, int screen_height)
{
    if (original_width <= 0 || original_height <= 0)
        return r;
    const double ratio = double(original_width) / original_height;
    int w = r.width;
    int h = r.height;
    if (original_width > original_height)
        h = whole(w / ratio);
    else
        w = whole(h * ratio);
    return centred(w, h, screen_width, screen_height);
}

TwipRect zoom_picture(const TwipRect &r, bool in, int original_width, int original_height,
                      int screen_width, int screen_height)
{
    TwipRect z = r;
    if (in) {
        z.width += r.width / 5;
        z.height += r.height / 5;
    } else {
        z.width -= r.width / 5;
        z.height -= r.height / 5;
    }
    return restore_proportions(z, original_width, original_height, screen_width, screen_height);
}

StatusCaptions status_captions(const SlideList &s, bool visible, bool wrapped)
{
    StatusCaptions c;
    c.show_hide = visible ? QStringLiteral("Hide status (H)") : QString(show_hide_blanks, QLatin1Char(' '));
    c.random = s.random_order ? QStringLiteral(" Random ") : QStringLiteral("Sequential");
    c.autom = s.auto_advance ? QStringLiteral("Manual/Auto*(F9)") : QStringLiteral("Manual*/Auto(F9)");
    c.interval = QStringLiteral("Interval=") + QString::number(s.interval_ms);
    const QString n = QString::number(s.slide_count - s.seen_count);
    c.unseen = QStringLiteral(" Unseen=") + (wrapped ? QLatin1Char('(') + n + QLatin1Char(')') : n);
    c.exit = QStringLiteral(" Exit ");
    c.forward = QStringLiteral(">>>>>");
    c.backward = QStringLiteral("<<<<<");
    return c;
}

QString comment_full_text(const QString &picture_path, int current_slide, int slide_count)
{
    return picture_path + QStringLiteral(" (") + QString::number(current_slide) + QLatin1Char('/')
         + QString::number(slide_count) + QLatin1Char(')');
}

int decode_height(int screen_height, int filename_height, bool status_shown)
{
    return status_shown ? screen_height - 2 * (filename_height + status_margin_extra) : screen_height;
}

QString comment_text(const QString &picture_path, int current_slide, int slide_count)
{
    const QString text = comment_full_text(picture_path, current_slide, slide_count);
    if (text.size() > 80)
        return QStringLiteral("...") + text.right(79);
    return text;
}

StatusLayout status_layout(const StatusWidths &w, int window_width, int window_height)
{
    const int top = window_height - w.height;
    auto at = [&](int left, int width) { return TwipRect{left, top, width, w.height}; };
    StatusLayout l;
    l.show_hide = at(0, w.show_hide);
    l.autom = at(right_edge(l.show_hide) + 300, w.autom);
    l.interval = at(right_edge(l.autom) + 300, w.interval);
    l.random = at(right_edge(l.interval) + 300, w.random);
    l.exit = at(right_edge(l.random) + 300, w.exit);
    l.unseen = at(right_edge(l.exit) + 300, w.unseen);
    l.backward = at(window_width / 2 - w.backward - 300, w.backward);
    if (l.backward.left < right_edge(l.unseen) + 200) {
        l.backward.left = right_edge(l.unseen) + 200;
        l.forward = at(right_edge(l.backward) + 200, w.forward);
    } else {
        l.forward = at(right_edge(l.backward) + 500, w.forward);
    }
    l.filename = at(window_width - w.filename, w.filename);
    return l;
}

bool pointer_too_central(int x, int y, int screen_width, int screen_height)
{
    const qint64 X = qint64(x) * 10, Y = qint64(y) * 10;
    return X > 2LL * screen_width && X < 8LL * screen_width && Y > 2LL * screen_height
        && Y < 8LL * screen_height;
}

} // namespace lf
