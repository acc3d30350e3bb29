// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_list.h"

namespace lf {

SlideList &slides()
{
    static SlideList s;
    return s;
}

void reset_slides() { slides() = SlideList{}; }

} // namespace lf
