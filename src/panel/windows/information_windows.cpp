#include "panel/windows/information_windows.h"

#include "app/prompt.h"
#include "app/shell.h"
#include "dialogs/windows/f_msgbox.h"
#include "panel/information_texts.h"
#include "panel/project_info.h"

namespace lf {

void show_help()
{
    if (ask(help_text(), Buttons::OkCancel, Icon::Question) == Answer::Ok)
        open_in_explorer(project_help_page);
}

void open_web_site() { open_url(project_home_page); }

void show_version_history()
{
    show_message_window(version_history_window_text(), version_history_window_title());
}

void show_about()
{
    MessageRequest r;
    r.text = about_text();
    r.title = about_title();
    prompt().message(r);
}

} // namespace lf
