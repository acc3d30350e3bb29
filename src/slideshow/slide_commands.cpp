// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_commands.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/twips.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_numbers.h"
#include "slideshow/slide_sequencer.h"
#include "viewer/viewer_state.h"


#include <climits>

namespace lf {

EditorMessages full_screen_editor_messages()
{
    EditorMessages m;
    m.wrong = QStringLiteral("Path of picture editor is wrong.");
    m.no_picture = QStringLiteral("No last picture found.");
    return m;
}

bool ask_go_to_number(SlideList &s)
{
    InputRequest r;
    r.title = QStringLiteral("Select next picture number");
    r.prompt = QStringLiteral("Picture number? (type a number from 1 to ")
             + QString::number(s.slide_count) + QLatin1Char(')');
    r.proposed = QString::number(s.current_slide);
    for (;;) {
        const GoToAnswer a = parse_go_to_answer(prompt().input(r), s.slide_count);
        switch (a.kind) {
        case GoToAnswer::Leave:
            return false;
        case GoToAnswer::Take:
            s.resume_slide = a.number;
            return true;
        case GoToAnswer::NotAllowed:
            notify(QStringLiteral("Numeber not allowed"));
            break;
        case GoToAnswer::FormatError:
            notify(QStringLiteral("Format error"));
            break;
        }
    }
}

bool ask_new_interval(SlideList &s)
{
    InputRequest r;
    r.title = QStringLiteral("Set new interval in milliseconds");
    r.prompt = QStringLiteral("New interval?");
    r.proposed = QString::number(s.interval_ms);
    // A negative interval would mean nothing to the timer.
    const auto n = whole_number_in(prompt().input(r), 0, INT_MAX);
    if (!n)
        return false;
    s.interval_ms = *n;
    save_setting(key::interval, *n);
    return true;
}

bool sequential_order_request(SlideList &s)
{
    if (!s.random_order) {
        if (s.current_slide == 1) {
            notify(QStringLiteral("Mode is already sequential"));
            return false;
        }
        if (ask(QStringLiteral("Mode is already sequential. Do you want to go to the first slide?"),
                Buttons::YesNo, Icon::None, 1, QStringLiteral("Sequntial Mode requested"))
            != Answer::Yes)
            return false;
        s.current_slide = 0;
    } else {
        s.random_order = false;
    }
    save_setting(key::random, bool_text(s.random_order));
    return true;
}

void forget_deleted_slide(SlideList &s)
{
    if (!s.slide_show_active || s.current_slide < 1 || s.current_slide > s.slide_count)
        return;
    s.slot(s.current_slide).seen = true;
    s.slot(s.current_slide).path.clear();
}

bool ask_delete_picture(const QString &path)
{
    return ask(QStringLiteral("Do you really want to delete file ") + path + QLatin1Char('?'),
               Buttons::YesNo, Icon::Exclamation, 2, QStringLiteral("Deleting last picture"))
        == Answer::Yes;
}

void forget_deleted_picture(SlideList &s)
{
    app().last_picture_file.clear();
    save_setting(key::last_picture_file, QString());
    forget_deleted_slide(s);
}

void set_auto_advance(SlideList &s, bool on)
{
    s.auto_advance = on;
    save_setting(key::autom, bool_text(on));
}

void set_random_order(SlideList &s, bool on)
{
    s.random_order = on;
    save_setting(key::random, bool_text(on));
}

void replay_current_slide(SlideList &s, ShowCursor &c)
{
    if (!s.slide_show_active)
        return;
    s.current_slide -= 1;
    s.go_backward = false;
    c.replay = true;
}

QSize held_natural_size(const ViewerState &v, QSize image_size, double pixel_ratio)
{
    if (v.original_width <= 0 || v.original_height <= 0)
        return image_size;
    return QSize(twips_to_picture_px(v.original_width, pixel_ratio),
                 twips_to_picture_px(v.original_height, pixel_ratio));
}

void note_natural_size(ViewerState &v, QSize natural, double pixel_ratio)
{
    v.original_width = picture_px_to_twips(natural.width(), pixel_ratio);
    v.original_height = picture_px_to_twips(natural.height(), pixel_ratio);
    v.aspect_ratio = v.original_height > 0 ? double(v.original_width) / v.original_height : 0;
}

} // namespace lf
