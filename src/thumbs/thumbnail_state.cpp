#include "thumbs/thumbnail_state.h"

#include "app/window_layer.h"
#include "app/window_registry.h"

namespace lf {

ThumbnailState &thumbnails()
{
    static ThumbnailState s;
    return s;
}

void reset_thumbnails() { thumbnails() = ThumbnailState{}; }

void open_thumbnail_window()
{
    registry().busy_opening = true;
    windows().load_thumbnail_sheet();
    registry().busy_opening = false;
}

} // namespace lf
