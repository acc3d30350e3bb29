#pragma once

#include <QString>

namespace lf {

// The one slide list of the process and the settings of the show over it.
struct SlideList {
    bool random_order = false;
    bool auto_advance = false;
    QString slide_show_file;
    bool own_file = false;
    bool slide_show_active = false;
};

SlideList &slides();
void reset_slides();

} // namespace lf
