// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/thumbnail_state.h"

namespace lf {

ThumbnailState &thumbnails()
{
    static ThumbnailState s;
    return s;
}

void reset_thumbnails() { thumbnails() = ThumbnailState{}; }

} // namespace lf
