// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/main_panel_commands.h"

#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "panel/panel_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "slideshow/slide_show_file.h"
#include "tools/file_association.h"
#include "viewer/picture_commands.h"
#include "viewer/viewer_state.h"

#include <QDir>
#include <QStandardPaths>

#include <limits>

namespace lf {

QString panel_caption(const QString &application_title)
{
    return application_title.compare(QLatin1String("lumenfolio"), Qt::CaseInsensitive) == 0
             ? QStringLiteral("Lumenfolio")
             : QStringLiteral("Image viewer");
}

PanelEnabling panel_enabling(int current_slide, const QString &last_picture_file)
{
    return PanelEnabling{current_slide != 0, !last_picture_file.isEmpty()};
}

QString search_folder_for_panel()
{
    QString dir = app().init_dir_for_search.trimmed();
    if (dir.isEmpty()) {
        // Where the store had nothing, start from the user's home.
        dir = QDir::homePath();
        app().init_dir_for_search = dir;
        save_setting(key::init_dir_for_search, dir);
    }
    return dir;
}

std::optional<int> interval_from_text(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < 0 || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}

void save_interval_if_changed()
{
    if (!panel_state().interval_changed)
        return;
    save_setting(key::interval, slides().interval_ms);
    panel_state().interval_changed = false;
}

bool set_panel_option(PanelOption o, bool ticked)
{
    bool *flag = nullptr;
    const char *k = nullptr;
    switch (o) {
    case PanelOption::Random: flag = &slides().random_order; k = key::random; break;
    case PanelOption::BlackScreen: flag = &panel_state().black_screen; k = key::black_screen; break;
    case PanelOption::FitMode: flag = &viewer().fit_mode; k = key::fit_mode; break;
    case PanelOption::AutoShow: flag = &slides().auto_advance; k = key::autom; break;
    }
    const bool changed = *flag != ticked;
    if (changed || o == PanelOption::FitMode) {
        *flag = ticked;
        save_setting(k, bool_text(ticked));
    }
    return changed;
}

void set_sort_descending(bool on)
{
    panel_state().sort_descending = on;
    save_setting(key::sort_descending, bool_text(on));
}

void set_sort_by_datetime(bool on)
{
    panel_state().sort_by_datetime = on;
    save_setting(key::sort_by_datetime, bool_text(on));
}

void read_panel_options()
{
    slides().random_order = numeric_int(get_setting(key::random)) == -1;
    panel_state().black_screen = numeric_int(get_setting(key::black_screen)) != 0;
    viewer().fit_mode = numeric_int(get_setting(key::fit_mode)) != 0;
    slides().auto_advance = numeric_int(get_setting(key::autom)) != 0;
    // Every run starts ascending by file name.
    panel_state().sort_descending = false;
    panel_state().sort_by_datetime = false;
}

QString picture_filter() { return QStringLiteral("Image (*.jpg *.gif *.bmp *.JPG *.GIF *.BMP)"); }
// Programs here carry no extension.
QString program_filter() { return QStringLiteral("Program (*)"); }
QString slide_show_filter()
{
    return QStringLiteral("Slide show (*.ssf *.SSF);;All files (*)");
}

QString open_picture_command()
{
    FileRequest r;
    r.filter = picture_filter();
    if (file_exists(app().last_picture_file))
        r.start = app().last_picture_file;
    const QString chosen = prompt().file(r);
    if (chosen.isEmpty())
        return {};
    app().last_picture_file = chosen;
    do_events();
    save_setting(key::last_picture_file, chosen);
    windows().open_picture(chosen, false);
    return chosen;
}

bool open_last_picture()
{
    AppState &a = app();
    if (!file_exists(a.last_picture_file)) {
        notify(QStringLiteral("File \"") + a.last_picture_file + QStringLiteral("\" not found"));
        a.last_picture_file.clear();
        save_setting(key::last_picture_file, QString());
        return false;
    }
    if (slides().slide_show_active)
        slides().current_slide -= 1;
    slides().go_backward = false;
    windows().open_picture(a.last_picture_file, true);
    return true;
}

bool delete_last_picture()
{
    AppState &a = app();
    const QString path = a.last_picture_file;
    if (ask(QStringLiteral("Do you really want to delete file ") + path + QStringLiteral("?"),
            Buttons::OkCancel, Icon::Critical, 2, QStringLiteral("Deleting last picture"))
        != Answer::Ok)
        return false;
    if (!delete_with_backup(path))
        return false;
    a.last_picture_file.clear();
    save_setting(key::last_picture_file, QString());
    return true;
}

EditorOutcome edit_last_picture(const QString &editor_field)
{
    EditorMessages m;
    m.not_assigned = QStringLiteral("Path of picture editor is missing.");
    m.wrong = QStringLiteral("Path of picture editor is wrong.");
    // The field is typed: a bare program name is looked up in PATH, any
    // other path made absolute before it is stored.
    const QString typed = editor_field.trimmed();
    const QString found = typed.contains(QLatin1Char('/')) ? QString()
                                                            : QStandardPaths::findExecutable(typed);
    const QString editor = found.isEmpty() ? absolute_path(typed) : found;
    const EditorStart r = start_picture_editor(editor, app().last_picture_file, m);
    switch (r) {
    case EditorStart::NotAssigned: return EditorOutcome::Missing;
    case EditorStart::Wrong:
    case EditorStart::NoPicture: return EditorOutcome::Wrong;
    case EditorStart::Started:
    case EditorStart::Failed: break;
    }
    // The field names a program: it becomes the stored editor.
    if (editor != app().picture_editor) {
        app().picture_editor = editor;
        save_setting(key::picture_editor, editor);
    }
    return r == EditorStart::Started ? EditorOutcome::Started : EditorOutcome::NotStarted;
}

QString rename_last_picture(const QString &last_file_field)
{
    if (last_file_field.trimmed().isEmpty())
        return {};
    RenameRules rules;
    rules.trim_answer = true;
    return ask_and_rename(absolute_path(last_file_field.trimmed()), QStringLiteral("Renaming last file"),
                          rules);
}

QString choose_picture_editor()
{
    FileRequest r;
    r.filter = program_filter();
    r.start = app().picture_editor;
    const QString chosen = prompt().file(r);
    if (chosen.isEmpty())
        return {};
    app().picture_editor = chosen;
    save_setting(key::picture_editor, chosen);
    return chosen;
}

QString change_init_dir_for_search()
{
    FolderRequest r;
    r.caption = QStringLiteral("Select initial directory for search");
    r.start = app().init_dir_for_search;
    app().selected_folder = prompt().folder(r);
    do_events();
    const QString chosen = app().selected_folder;
    if (chosen.isEmpty())
        return {};
    save_setting(key::init_dir_for_search, chosen);
    app().init_dir_for_search = chosen;
    return chosen;
}

bool open_slide_show_command()
{
    const QString last = get_setting(key::last_slide_show);
    FileRequest r;
    r.filter = slide_show_filter();
    if (file_exists(last))
        r.start = last;
    const QString chosen = prompt().file(r);
    if (chosen.isEmpty())
        return false;
    if (!file_exists(chosen)) {
        notify(QStringLiteral("File not found"));
        return false;
    }
    if (chosen.right(4).compare(QLatin1String(".ssf"), Qt::CaseInsensitive) != 0) {
        notify(QStringLiteral("Not a valid slide show file"));
        return false;
    }
    slides().slide_show_file = chosen;
    save_setting(key::last_slide_show, chosen);
    slides().own_file = true;
    hourglass(true);
    read_slide_show_file();
    hourglass(false);
    return !registry().open_slide_show_windows.isEmpty();
}

void resume_slide_show()
{
    slides().go_backward = false;
    slides().slide_show_active = true;
    viewer().handover_width = 0;
    windows().open_slide_show_window();
}

bool build_slide_show_command()
{
    build_slide_show(QString(), false);
    return slides().slide_show_active;
}

bool open_search_result(const QString &line)
{
    const QString problem = picture_open_problem(line);
    if (!problem.isEmpty()) {
        notify(problem);
        return false;
    }
    app().last_picture_file = line;
    save_setting(key::last_picture_file, line);
    windows().open_picture(line, true);
    return true;
}

bool open_pasted_picture(const QImage &image)
{
    if (image.isNull())
        return false;
    QDir().mkpath(app().tmp_pic_dir);
    const QString path = app().tmp_pic_dir + QLatin1Char('/') + clipboard_file_name;
    if (!image.save(path, "BMP"))
        return false;
    windows().open_picture(path, false);
    return true;
}

} // namespace lf
