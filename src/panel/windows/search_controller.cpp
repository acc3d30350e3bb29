// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/windows/search_controller.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "panel/main_panel_commands.h"
#include "panel/picture_search.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace lf {

SearchController::SearchController(const SearchControls &c, QObject *parent)
    : QObject(parent), panel_(c.panel), t1_(c.t_search_string_1), t2_(c.t_search_string_2),
      t3_(c.t_search_string_3), option_and_(c.option_and), list_(c.List1), label_(c.lab_search_results),
      t_last_slideshow_(c.t_last_slideshow), t_last_thumbnail_file_(c.t_last_thumbnail_file),
      t_last_file_(c.t_last_file)
{
}

SearchFields SearchController::fields() const
{
    SearchFields f;
    f.field1 = t1_ ? t1_->text() : QString();
    f.field2 = t2_ ? t2_->text() : QString();
    f.field3 = t3_ ? t3_->text() : QString();
    f.use_and = !option_and_ || option_and_->isChecked();
    return f;
}

QStringList SearchController::list_lines() const
{
    QStringList out;
    if (!list_)
        return out;
    out.reserve(list_->count());
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

namespace {

void set_italic(QLabel *l, bool on)
{
    if (!l)
        return;
    QFont f = l->font();
    f.setItalic(on);
    l->setFont(f);
}

} // namespace

void SearchController::search_picture()
{
    if (searching_)
        return;
    const SearchFields f = fields();
    const QString start = app().init_dir_for_search;
    if (ask(search_question(f, start), Buttons::YesNo) != Answer::Yes)
        return;

    QPointer<SearchController> self(this);
    searching_ = true;
    if (panel_)
        panel_->setEnabled(false);
    hourglass(true);
    set_italic(label_, true);
    if (list_)
        list_->clear();
    if (label_)
        label_->setText(QStringLiteral("Search results (0 files)"));
    do_events();

    PictureSearch search(start, f);
    qsizetype shown = 0;
    bool more = self != nullptr;
    while (more) {
        more = search.step(search_slice_ms);
        // The list and the counts are brought up to date once per slice.
        if (list_) {
            const QStringList &found = search.found();
            if (found.size() > shown) {
                list_->addItems(found.mid(shown));
                shown = found.size();
            }
        }
        if (label_)
            label_->setText(search_counts_text(search.folders_searched(), search.entries_searched(),
                                               list_ ? list_->count() : shown));
        do_events();
        if (!self)
            break; // the panel went away with its controller
        if (app().escape_pressed) {
            app().escape_pressed = false;
            break;
        }
    }
    hourglass(false);
    if (!self)
        return;
    set_italic(label_, false);
    if (panel_)
        panel_->setEnabled(true);
    searching_ = false;
    if (search.skipped() > 0)
        notify(unstorable_names_message(search.skipped()));
}

void SearchController::slide_show_from_search_results()
{
    const QStringList lines = list_lines();
    if (lines.isEmpty()) {
        notify(QStringLiteral("Search results list is empty"));
        return;
    }
    hourglass(true);
    SlideList &s = slides();
    for (int i = 1; i <= s.slide_count; ++i)
        s.slot(i) = Slide{};
    s.slide_count = 0;
    s.seen_count = 0;
    for (const QString &line : lines) {
        if (s.slide_count >= max_slides) {
            notify(QStringLiteral("Max number of slides reached (") + QString::number(max_slides)
                   + QStringLiteral("). Some slides will not be included."));
            break;
        }
        ++s.slide_count;
        s.slot(s.slide_count).path = line;
    }
    QString dir = app().tmp_pic_dir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QString file = dir + QStringLiteral("Show.ssf");
    QByteArray bytes;
    for (int i = 1; i <= s.slide_count; ++i) {
        bytes += s.slot(i).path.toUtf8();
        bytes += "\r\n";
    }
    const FileFault f = replace_file(file, bytes);
    if (f.failed()) {
        hourglass(false);
        report(f);
        return;
    }
    s.slide_show_file = file;
    if (t_last_slideshow_)
        t_last_slideshow_->setText(file);
    s.own_file = true;
    hourglass(false);
    read_slide_show_file();
}

void SearchController::thumbnails_from_search_results()
{
    const QStringList lines = list_lines();
    if (lines.isEmpty()) {
        notify(QStringLiteral("Search results list is empty"));
        return;
    }
    app().selected_folder = app().tmp_pic_dir;
    ThumbnailState &t = thumbnails();
    t.list_position = 0;
    t.file_counter = 0;
    t.picture_list.clear();
    for (const QString &line : lines) {
        if (t.picture_list.size() >= max_pictures_in_list) {
            notify(QStringLiteral("Too many pictures in list. Only the first 1000 will be shown."));
            break;
        }
        t.picture_list << line;
    }
    const QString prefix = search_thumbnail_prefix(fields());
    notify(QStringLiteral("The thumbnail file(s) will remain in directory ") + QLatin1Char('"') + app().tmp_pic_dir
           + QLatin1Char('"') + QStringLiteral(" till the termination of the program."));
    write_thumbnail_files(app().selected_folder, prefix);
    select_thumbnail_file(true);
    if (t_last_thumbnail_file_)
        t_last_thumbnail_file_->setText(t.current_thumbnail_file);
}

bool SearchController::open_list_entry(int row)
{
    if (!list_ || row < 0 || row >= list_->count())
        return false;
    const QString path = list_->item(row)->text();
    if (!open_search_result(path))
        return false;
    if (t_last_file_)
        t_last_file_->setText(path);
    return true;
}

} // namespace lf
