// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/windows/information_windows.h"

#include "app/prompt.h"
#include "app/shell.h"
#include "dialogs/windows/f_msgbox.h"
#include "panel/information_texts.h"
#include "panel/project_info.h"

#include <QCoreApplication>

namespace lf {
namespace {
QString data_file(const QString &name)
{
    return program_data_file(QCoreApplication::applicationDirPath(), name);
}
} // namespace

void show_help()
{
    const QString manual = data_file(manual_page_name);
    if (ask(help_text(manual), Buttons::OkCancel, Icon::Question) == Answer::Ok && !manual.isEmpty())
        open_in_explorer(manual);
}

void open_web_site()
{
    if (project_home_page.isEmpty())
        notify(no_web_site_text());
    else
        open_url(project_home_page);
}

void show_version_history()
{
    show_message_window(version_history_window_text(), version_history_window_title());
}

void show_about()
{
    MessageRequest r;
    r.text = about_text(data_file(source_archive_name));
    r.title = about_title();
    prompt().message(r);
}

} // namespace lf
