// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_window_refit.h"

namespace lf {

QSize load_size(ViewerState &v, QSize natural)
{
    QSize s(v.handover_width, v.handover_height);
    if (v.fresh_open) {
        s = natural;
        v.original_width = s.width();
        v.original_height = s.height();
    }
    v.aspect_ratio = s.height() > 0 ? double(s.width()) / s.height() : 0;
    return s;
}

ResizeInput resize_input(const PictureWindowState &st, TwipRect window, TwipRect picture,
                         bool fit_mode)
{
    ResizeInput in;
    in.window = window;
    in.picture = picture;
    in.original_width = st.original_width;
    in.original_height = st.original_height;
    in.aspect_ratio = st.aspect_ratio;
    in.fit_mode = fit_mode;
    in.rel_left = st.rel_left;
    in.rel_top = st.rel_top;
    return in;
}

void take_refit(PictureWindowState &st, const PictureLayout &l)
{
    st.rel_left = l.rel_left;
    st.rel_top = l.rel_top;
    if (l.window.width != st.saved_width || l.window.height != st.saved_height)
        st.size_changed = true;
}

void take_drop(PictureWindowState &st, const FrameTwips &f, TwipRect window, int left, int top)
{
    const int cw = client_width(f, window.width);
    const int ch = client_height(f, window.height);
    st.rel_left = cw != 0 ? double(left) / cw : 0;
    st.rel_top = ch != 0 ? double(top) / ch : 0;
}

} // namespace lf
