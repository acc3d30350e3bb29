// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

namespace lf {

inline constexpr int max_slides = 10000;
inline constexpr int history_size = 20;

struct Slide {
    QString path; // "" marks a picture deleted while the show runs
    bool seen = false;
    QDateTime time; // modification time, for sorting
};

// The one slide list of the process and the settings of the show over it.
// Slots are 1-based: slot(1) .. slot(max_slides).
struct SlideList {
    SlideList() : slots_(max_slides + 1) {}

    Slide &slot(int i) { return slots_[size_t(i)]; }
    const Slide &slot(int i) const { return slots_[size_t(i)]; }

    int slide_count = 0;
    int seen_count = 0;
    int current_slide = 0; // 0 = nothing shown yet
    int resume_slide = 0;

    bool random_order = false;
    bool auto_advance = false;
    int interval_ms = 0;
    bool comments_visible = true;
    QString slide_show_file;
    bool own_file = false;
    bool slide_show_active = false;

    // Navigation shared by the full-screen windows.
    bool go_backward = false;
    std::array<int, history_size + 1> history{}; // 1-based, oldest first
    int history_pos = 0;
    // A random number drawn ahead for the next random pick (so the picture
    // it names can be decoded early); negative when none is pending.
    double drawn_ahead = -1;

    void clear_history()
    {
        history.fill(0);
        history_pos = 0;
    }
    void clear_seen_flags()
    {
        for (int i = 1; i <= slide_count; ++i)
            slot(i).seen = false;
        seen_count = 0;
    }

private:
    std::vector<Slide> slots_;
};

SlideList &slides();
void reset_slides();

} // namespace lf
