#include "app/process_end.h"

#include "app/app_state.h"
#include "app/prompt.h"
#include "app/temp_folders.h"
#include "app/window_layer.h"
#include "app/window_registry.h"

namespace lf {

void cleanup_and_end()
{
    remove_tmp_pic_dir(app().tmp_pic_dir);
    windows().end_process();
}

void after_viewing_window_closed()
{
    switch (after_viewing_window_closed(registry())) {
    case AfterClose::EndProcess:
        cleanup_and_end();
        break;
    case AfterClose::ShowMainPanel:
        windows().show_main_panel();
        break;
    case AfterClose::Nothing:
        break;
    }
}

void after_main_panel_closed()
{
    if (after_main_panel_closed(registry()) == AfterClose::EndProcess)
        cleanup_and_end();
}

void stop_on_missing_tag()
{
    notify(tag_missing_message);
    windows().end_process();
}

} // namespace lf
