#include "panel/windows/information_windows.h"

namespace lf {

void show_help() {}
void open_web_site() {}
void show_version_history() {}
void show_about() {}

} // namespace lf
