#include "thumbs/thumbnail_files.h"

#include "app/window_layer.h"
#include "app/window_registry.h"

namespace lf {

void open_thumbnail_window()
{
    registry().busy_opening = true;
    windows().load_thumbnail_sheet();
    registry().busy_opening = false;
}

void build_and_show_thumbnails(const QString &) {}

void select_thumbnail_file(bool) {}

} // namespace lf
