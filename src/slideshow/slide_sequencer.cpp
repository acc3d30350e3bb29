// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_sequencer.h"

#include "app/paths.h"
#include "app/prompt.h"
#include "app/random.h"
#include "app/window_layer.h"
#include "slideshow/slide_numbers.h"

#include <QSet>
#include <QStringList>

namespace lf {
namespace {

double take_random(SlideList &s)
{
    if (s.drawn_ahead >= 0) {
        const double r = s.drawn_ahead;
        s.drawn_ahead = -1;
        return r;
    }
    return rnd();
}

int start_of_pick(int count, double r) { return std::min(int(r * count) + 1, count); }

// First unseen index scanning `count` positions from `from`, wrapping; 0 if
// every picture is seen.
int first_unseen_from(const SlideList &s, int from)
{
    for (int k = 0, i = from; k < s.slide_count; ++k, i = i % s.slide_count + 1) {
        if (!s.slot(i).seen)
            return i;
    }
    return 0;
}

bool any_picture_left(const SlideList &s)
{
    for (int i = 1; i <= s.slide_count; ++i) {
        if (!s.slot(i).path.isEmpty())
            return true;
    }
    return false;
}

// One pass of the choice; the caller repeats it while it lands on a
// deleted entry.
void choose(SlideList &s, ShowCursor &c, const QString &deleted, Selection &sel)
{
    sel.from_history = false;
    if (s.resume_slide != 0) {
        s.current_slide = s.resume_slide;
        s.resume_slide = 0;
        sel.was_seen = s.slot(s.current_slide).seen;
        return;
    }
    if (s.random_order) {
        if (c.replay) {
            c.replay = false;
            if (s.history_pos > 0 && s.history[size_t(s.history_pos)] != 0) {
                s.current_slide = s.history[size_t(s.history_pos)];
                sel.from_history = true;
                sel.was_seen = true;
                return;
            }
        }
        if (!s.go_backward && s.history_pos < history_size
            && s.history[size_t(s.history_pos + 1)] != 0) {
            ++s.history_pos;
            s.current_slide = s.history[size_t(s.history_pos)];
            sel.from_history = true;
            sel.was_seen = true;
            return;
        }
        if (s.go_backward) {
            if (s.history_pos < 2) {
                windows().beep();
                s.go_backward = false;
                if (s.history[1] != 0) {
                    s.current_slide = s.history[1];
                    sel.from_history = true;
                    sel.was_seen = true;
                    return;
                }
            } else if (s.history[size_t(s.history_pos - 1)] != 0) {
                --s.history_pos;
                s.current_slide = s.history[size_t(s.history_pos)];
                sel.from_history = true;
                sel.was_seen = true;
                return;
            }
        }
        const int r = start_of_pick(s.slide_count, take_random(s));
        int pick = first_unseen_from(s, r);
        if (pick == 0) {
            s.clear_seen_flags();
            windows().beep();
            c.wrapped = true;
            pick = r;
        }
        s.slot(pick).seen = true;
        s.current_slide = pick;
        sel.was_seen = false;
        return;
    }
    if (!s.go_backward) {
        ++s.current_slide;
        if (s.current_slide > s.slide_count || s.current_slide < 1) {
            s.current_slide = 1;
            windows().beep();
            s.clear_seen_flags();
            c.wrapped = true;
        }
        sel.was_seen = s.slot(s.current_slide).seen;
        return;
    }
    s.go_backward = false;
    for (int k = 0; k < s.slide_count; ++k) {
        --s.current_slide;
        if (s.current_slide < 1)
            s.current_slide += s.slide_count;
        const QString &p = s.slot(s.current_slide).path;
        if (!p.isEmpty() && !is_deleted(p, deleted))
            break;
    }
    sel.was_seen = s.slot(s.current_slide).seen;
}

} // namespace

bool is_deleted(const QString &path, const QString &deleted_pictures)
{
    if (path.isEmpty() || deleted_pictures.isEmpty())
        return false;
    const QStringList parts = deleted_pictures.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString &p : parts) {
        if (p == path)
            return true;
    }
    return false;
}

Selection select_next(SlideList &s, ShowCursor &c, const QString &deleted_pictures)
{
    Selection sel;
    if (s.slide_count < 1 || !any_picture_left(s)) {
        s.resume_slide = 0;
        return sel;
    }
    // Bounded: every pass either lands on a picture or moves past a
    // deleted entry, which is then marked seen.
    for (int guard = 0; guard < 4 * s.slide_count + 4 * history_size + 4; ++guard) {
        choose(s, c, deleted_pictures, sel);
        Slide &slot = s.slot(s.current_slide);
        if (!slot.path.isEmpty()) {
            slot.seen = true;
            sel.slide = s.current_slide;
            return sel;
        }
        // A deleted entry: choose again, in the direction left by the choice.
        slot.seen = true;
    }
    return sel;
}

void record_shown(SlideList &s, const Selection &sel)
{
    if (sel.slide == 0)
        return;
    if (!sel.from_history) {
        if (!(s.history_pos > 0 && s.history[size_t(s.history_pos)] == sel.slide)) {
            if (s.history_pos < history_size) {
                ++s.history_pos;
            } else {
                for (int k = 2; k <= history_size; ++k)
                    s.history[size_t(k - 1)] = s.history[size_t(k)];
            }
            s.history[size_t(s.history_pos)] = sel.slide;
        }
    }
    if (!sel.was_seen && s.seen_count < s.slide_count)
        ++s.seen_count;
}

int predict_next_forward(SlideList &s, const ShowCursor &c)
{
    if (s.slide_count < 1)
        return 0;
    if (s.resume_slide != 0)
        return s.resume_slide;
    if (s.random_order) {
        if (c.replay)
            return s.history_pos > 0 ? s.history[size_t(s.history_pos)] : 0;
        if (s.history_pos < history_size && s.history[size_t(s.history_pos + 1)] != 0)
            return s.history[size_t(s.history_pos + 1)];
        if (s.drawn_ahead < 0)
            s.drawn_ahead = rnd();
        const int r = start_of_pick(s.slide_count, s.drawn_ahead);
        const int pick = first_unseen_from(s, r);
        return pick != 0 ? pick : r;
    }
    int next = s.current_slide;
    for (int k = 0; k < s.slide_count; ++k) {
        next = next >= s.slide_count || next < 1 ? 1 : next + 1;
        if (!s.slot(next).path.isEmpty())
            return next;
    }
    return 0;
}

GoToAnswer parse_go_to_answer(const QString &answer, int slide_count)
{
    if (answer.trimmed().isEmpty())
        return {};
    const auto v = numeric_text(answer);
    if (!v)
        return {GoToAnswer::FormatError, 0};
    if (*v < 1 || *v > slide_count)
        return {GoToAnswer::NotAllowed, 0};
    return {GoToAnswer::Take, int(round_half_even(*v))};
}

PictureChoice choose_picture(SlideList &s, ShowCursor &c, const QString &deleted_pictures)
{
    // Any repeat ends the search, not only one in a row: two bad names in
    // turn would otherwise be passed by for ever.
    QSet<QString> passed;
    PictureChoice choice;
    for (;;) {
        const Selection sel = select_next(s, c, deleted_pictures);
        if (sel.slide == 0) {
            choice.kind = PictureChoice::NothingLeft;
            return choice;
        }
        choice.selection = sel;
        choice.path = s.slot(sel.slide).path;
        if (is_picture_file(choice.path)) {
            choice.kind = PictureChoice::Picture;
            return choice;
        }
        if (passed.contains(choice.path)) {
            notify(QStringLiteral("Bad file name: ") + choice.path);
            choice.kind = PictureChoice::Bad;
            return choice;
        }
        passed.insert(choice.path);
    }
}

} // namespace lf
