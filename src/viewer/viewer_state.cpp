// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/viewer_state.h"

namespace lf {

ViewerState &viewer()
{
    static ViewerState s;
    return s;
}

void reset_viewer() { viewer() = ViewerState{}; }

void hold_for_next_window(ViewerState &v, const QString &path, const QImage &picture, int left,
                          int top, int width, int height)
{
    v.anchor_left = left;
    v.anchor_top = top;
    v.handover_width = width;
    v.handover_height = height;
    v.holder = picture;
    v.picture_from_holder = true;
    v.picture_to_open = path;
}

void hold_for_next_window(ViewerState &v, const QString &path, const QImage &picture, int left,
                          int top, int width, int height, int original_width,
                          int original_height)
{
    hold_for_next_window(v, path, picture, left, top, width, height);
    v.original_width = original_width;
    v.original_height = original_height;
    v.aspect_ratio = original_height > 0 ? double(original_width) / original_height : 0;
}

} // namespace lf
