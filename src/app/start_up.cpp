// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_up.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"
#include "tools/file_association.h"
#include "viewer/picture_commands.h"

namespace lf {

QString command_line_text(const QStringList &arguments_after_program)
{
    if (arguments_after_program.isEmpty())
        return {};
    const QString first = arguments_after_program.front().trimmed();
    if (arguments_after_program.size() > 1) {
        const QString joined = arguments_after_program.join(QLatin1Char(' ')).trimmed();
        QString first_path = first, joined_path = joined;
        strip_quotes(first_path);
        strip_quotes(joined_path);
        if (!file_exists(first_path) && file_exists(joined_path))
            return joined;
    }
    return first;
}

StartKind classify_start_argument(const QString &argument)
{
    if (argument.isEmpty())
        return StartKind::MainPanel;
    const QString tail = argument.right(4);
    if (tail.compare(QLatin1String(".ssf"), Qt::CaseInsensitive) == 0)
        return StartKind::SlideShow;
    if (tail.compare(QLatin1String(".tnf"), Qt::CaseInsensitive) == 0)
        return StartKind::ThumbnailFile;
    return StartKind::Picture;
}

QString checked_start_argument(QString argument)
{
    strip_quotes(argument);
    if (argument.isEmpty())
        return {};
    // Stored in settings and .ssf files, it must not depend on the folder
    // the program was started from.
    argument = absolute_path(argument);
    if (!file_exists(argument)) {
        notify(QStringLiteral("File not found ") + argument);
        return {};
    }
    argument = on_disk_name(argument);
    const QString problem = classify_start_argument(argument) == StartKind::Picture
                                ? picture_open_problem(argument)
                            : is_folder(argument) ? QStringLiteral("Bad file name: ") + argument
                                                  : QString();
    if (!problem.isEmpty()) {
        notify(problem);
        return {};
    }
    return argument;
}

void read_start_settings()
{
    AppState &a = app();
    a.picture_editor = get_setting(key::picture_editor);
    if (!file_exists(a.picture_editor))
        a.picture_editor.clear();

    a.last_picture_file = get_setting(key::last_picture_file);
    if (!file_exists(a.last_picture_file)) {
        if (!a.last_picture_file.isEmpty())
            save_setting(key::last_picture_file, QString());
        a.last_picture_file.clear();
    }

    slides().slide_show_file = get_setting(key::last_slide_show);
    if (!file_exists(slides().slide_show_file))
        slides().slide_show_file.clear();
    thumbnails().current_thumbnail_file = get_setting(key::last_thumbnail_file);
    if (!file_exists(thumbnails().current_thumbnail_file))
        thumbnails().current_thumbnail_file.clear();
    a.init_dir_for_search = get_setting(key::init_dir_for_search);
    if (!file_exists(a.init_dir_for_search))
        a.init_dir_for_search.clear();

    slides().interval_ms = numeric_int(get_setting(key::interval));
    // Stored as "hidden"; the complement of -1 is 0, of 0 is -1.
    slides().comments_visible = ~numeric_int(get_setting(key::comments_hidden)) != 0;
}

namespace {

void read_show_modes()
{
    slides().random_order = numeric_int(get_setting(key::random)) != 0;
    slides().auto_advance = numeric_int(get_setting(key::autom)) != 0;
}

} // namespace

void dispatch_start_argument()
{
    const QString arg = app().start_argument;
    switch (classify_start_argument(arg)) {
    case StartKind::SlideShow:
        read_show_modes();
        slides().slide_show_file = arg;
        slides().own_file = true;
        registry().busy_opening = true;
        read_slide_show_file();
        registry().busy_opening = false;
        return;
    case StartKind::ThumbnailFile:
        read_show_modes();
        thumbnails().current_thumbnail_file = arg;
        open_thumbnail_window();
        return;
    case StartKind::Picture:
        read_show_modes();
        windows().open_picture(arg, false);
        return;
    case StartKind::MainPanel:
        break;
    }

    windows().show_main_panel();
    const QStringList extensions{QStringLiteral("jpg"), QStringLiteral("gif"),
                                 QStringLiteral("bmp")};
    if (numeric_int(get_setting(key::file_extensions_checked)) != -1) {
        for (const QString &ext : extensions)
            association_prompt(ext);
        save_setting(key::file_extensions_checked, bool_text(true));
    }
    windows().associate_menu_enabled(associate_menu_should_be_enabled());
    windows().place_main_panel_at_start();
}

} // namespace lf
