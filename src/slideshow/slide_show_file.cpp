#include "slideshow/slide_show_file.h"

#include "app/window_layer.h"

namespace lf {

void read_slide_show_file()
{
    // The reader itself comes with the slide show; for now the window opens on
    // the file as it stands.
    windows().open_slide_show_window();
}

} // namespace lf
