// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/main_panel_layout.h"

#include "app/app_state.h"

#include <algorithm>

namespace lf {
namespace {

using namespace panel_layout;

// Places controls one under the other inside a container, each 45 twips
// below the bottom edge of its predecessor.
class Column {
public:
    Column(MainPanelLayout &l, int left, int top) : l_(l), left_(left), next_top_(top) {}

    TwipRect add(const QString &name, int width, int height)
    {
        const TwipRect r{left_, next_top_, width, height};
        l_.rects.insert(name, r);
        next_top_ = bottom_edge(r) + gap;
        return r;
    }
    // A label with a control to the right of its right edge, on one row.
    TwipRect add_pair(const QString &label, int label_width, const QString &field,
                      int field_width, int height)
    {
        const TwipRect lab{left_, next_top_, label_width, height};
        const TwipRect f{right_edge(lab) + gap, next_top_, field_width, height};
        l_.rects.insert(label, lab);
        l_.rects.insert(field, f);
        next_top_ = bottom_edge(f) + gap;
        return f;
    }
    int bottom() const { return next_top_ - gap; }

private:
    MainPanelLayout &l_;
    int left_;
    int next_top_;
};

int close_frame(MainPanelLayout &l, const QString &frame, const Column &inside)
{
    TwipRect &f = l.rects[frame];
    f.height = inside.bottom() + frame_bottom_pad;
    return bottom_edge(f);
}

} // namespace

MainPanelLayout main_panel_layout(const MainPanelMeasures &m)
{
    MainPanelLayout l;
    const int bw = panel_button_width;
    const int bh = panel_button_height;
    const int row = 240; // check boxes, option buttons, labels

    // Pictures.
    l.rects.insert(QStringLiteral("fra_pictures"), {margin, margin, frame_width, 0});
    Column pictures(l, frame_inner_left, frame_first_top);
    for (const char *b : {"b_open_picture", "b_open_last_picture", "b_delete_last_picture",
                          "b_edit_last_picture", "b_search_picture"})
        pictures.add(QLatin1String(b), bw, bh);
    for (int i = 0; i < 3; ++i) {
        const int lw = m.find_label_widths[size_t(i)];
        pictures.add_pair(QStringLiteral("lab_string%1").arg(i + 1), lw,
                          QStringLiteral("t_search_string_%1").arg(i + 1),
                          search_field_base - lw, search_field_height);
    }
    pictures.add(QStringLiteral("fra_andor"), bw, 90 + row + 90);
    {
        const int w = (bw - 3 * frame_inner_left) / 2;
        l.rects.insert(QStringLiteral("option_and"), {frame_inner_left, 90, w, row});
        l.rects.insert(QStringLiteral("option_or"), {2 * frame_inner_left + w, 90, w, row});
    }
    const int pictures_bottom = close_frame(l, QStringLiteral("fra_pictures"), pictures);

    // Slide shows.
    const int slides_left = margin + frame_width + gap;
    l.rects.insert(QStringLiteral("fra_slides"), {slides_left, margin, frame_width, 0});
    Column slides(l, frame_inner_left, frame_first_top);
    slides.add(QStringLiteral("b_slideshow_from_search_results"), bw, bh);
    slides.add_pair(QStringLiteral("lab_show_interval"), 1500, QStringLiteral("t_interval"),
                    bw - 1500 - gap, bh);
    slides.add(QStringLiteral("c_random"), bw, row);
    slides.add(QStringLiteral("c_auto_show"), bw, row);
    for (const char *b : {"b_resume_slide_show", "b_open_slide_show", "b_build_slide_show"})
        slides.add(QLatin1String(b), bw, bh);
    const int slides_bottom = close_frame(l, QStringLiteral("fra_slides"), slides);

    // Thumbnails, then the options shared by slide shows and thumbnails.
    const int thumbs_left = slides_left + frame_width + gap;
    l.rects.insert(QStringLiteral("fra_thumbnails"), {thumbs_left, margin, frame_width, 0});
    Column thumbs(l, frame_inner_left, frame_first_top);
    for (const char *b : {"b_thumbnails_from_search_results", "b_show_thumbnail_file",
                          "b_build_and_show_thumbnails"})
        thumbs.add(QLatin1String(b), bw, bh);
    const int thumbs_bottom = close_frame(l, QStringLiteral("fra_thumbnails"), thumbs);

    Column options(l, thumbs_left, thumbs_bottom + gap);
    options.add(QStringLiteral("c_fit_mode"), frame_width, row);
    options.add(QStringLiteral("c_black_screen"), frame_width, row);
    const int sort_frame_height = 60 + row + gap + row + 60;
    options.add(QStringLiteral("fra_ascending"), frame_width, sort_frame_height);
    options.add(QStringLiteral("fra_by_file_name"), frame_width, sort_frame_height);
    for (const auto &[first, second] : {std::pair{"o_sort_ascending", "o_sort_descending"},
                                        std::pair{"o_sort_by_filename", "o_sort_by_datetime"}}) {
        Column inside(l, frame_inner_left, 60);
        inside.add(QLatin1String(first), bw, row);
        inside.add(QLatin1String(second), bw, row);
    }

    l.client_width = thumbs_left + frame_width + margin;

    // Paths last used, one row each, across the whole width.
    const int top_block = std::max({pictures_bottom, slides_bottom, options.bottom()});
    const int label_width = 1800;
    const int small_button = 900;
    const int field_left = margin + label_width + gap;
    const int button_left = l.client_width - margin - small_button;
    const int wide_field = l.client_width - margin - field_left;
    const int short_field = button_left - gap - field_left;
    Column rows(l, margin, top_block + 90);
    struct Row {
        const char *label, *field, *button;
    };
    for (const Row &r : {Row{"lab_last_picture", "t_last_file", "b_rename_last_pic"},
                         Row{"lab_last_slideshow", "t_last_slideshow", nullptr},
                         Row{"lab_last_thumbnail", "t_last_thumbnail_file", nullptr},
                         Row{"l_picture_editor", "t_picture_editor", "b_change_editor"},
                         Row{"lab_init_dir_for_search", "t_init_dir_for_search",
                             "b_change_init_dir_for_search"}}) {
        const TwipRect f = rows.add_pair(QLatin1String(r.label), label_width,
                                         QLatin1String(r.field),
                                         r.button ? short_field : wide_field, bh);
        if (r.button)
            l.rects.insert(QLatin1String(r.button), {button_left, f.top, small_button, bh});
    }
    rows.add(QStringLiteral("lab_search_results"), l.client_width - 2 * margin, row);
    const TwipRect list = rows.add(QStringLiteral("List1"), l.client_width - 2 * margin,
                                   list_height);
    // The client area ends where the nominal frame leaves off.
    l.client_height = main_panel_height(bottom_edge(list), false) - nominal_frame_height;
    return l;
}

} // namespace lf
