// SPDX-License-Identifier: GPL-3.0-or-later
#include "motion/motion_rules.h"

#include <cmath>

namespace lf {

MotionTick motion_tick(MotionState &s, const TwipRect &w, int screen_width, int screen_height,
                       double clock, const std::function<double()> &random)
{
    MotionTick t;
    const int pick = int(random() * 4) + 1;
    if (s.horizontal_direction == 0)
        s.horizontal_direction = 3;
    if (s.vertical_direction == 0)
        s.vertical_direction = 1;
    if (clock > s.next_vertical_change.value_or(0)) {
        s.next_vertical_change = clock + int(random() * motion_change_spread) + 1;
        s.vertical_direction = s.vertical_direction == 1 ? 2 : 1;
        t.to_top = true;
    }
    if (clock > s.next_horizontal_change.value_or(0)) {
        s.next_horizontal_change = clock + int(random() * motion_change_spread) + 1;
        s.horizontal_direction = s.horizontal_direction == 3 ? 4 : 3;
        t.sopra = true;
    }
    int x = w.left;
    int y = w.top;
    if (pick <= 2)
        y += s.vertical_direction == 1 ? -motion_step_twips : motion_step_twips;
    else
        x += s.horizontal_direction == 3 ? -motion_step_twips : motion_step_twips;

    if (x < 0) {
        s.horizontal_direction = 4;
        x += motion_step_twips;
    } else if (x + w.width > screen_width) {
        s.horizontal_direction = 3;
        x -= motion_step_twips;
    } else if (y < 0) {
        s.vertical_direction = 2;
        y += motion_step_twips;
    } else if (y + w.height > screen_height) {
        s.vertical_direction = 1;
        y -= motion_step_twips;
    }
    t.left = x;
    t.top = y;
    return t;
}

TwipRect grow_moving(const TwipRect &w, int screen_width, int work_height)
{
    TwipRect g = w;
    g.width = w.width + w.width / 20;
    if (g.width > screen_width) {
        g.left = 0;
        g.width = screen_width;
    }
    g.height = w.height + w.height / 20;
    if (g.height > work_height) {
        g.top = 0;
        g.height = work_height;
    }
    return g;
}

TwipRect shrink_moving(const TwipRect &w)
{
    TwipRect g = w;
    g.width = w.width - w.width / 20;
    g.height = w.height - w.height / 20;
    return g;
}

TwipRect fill_moving(int screen_width, int work_height) { return {0, 0, screen_width, work_height}; }

TwipRect fit_moving(const TwipRect &w, bool landscape, double aspect)
{
    TwipRect g = w;
    if (aspect <= 0)
        return g;
    if (landscape) {
        int ph = int(std::lround(g.width / aspect));
        if (ph > g.height)
            ph = g.height;
        g.height = ph;
        g.width = int(std::lround(ph * aspect));
    } else {
        int pw = int(std::lround(g.height * aspect));
        if (pw > g.width)
            pw = g.width;
        g.width = pw;
        g.height = int(std::lround(pw / aspect));
    }
    return g;
}

} // namespace lf
