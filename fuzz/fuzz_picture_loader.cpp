// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"
#include "viewer/picture_loader.h"

#include <cstdlib>

// The loading path of the windows: the size, the whole picture, and the
// picture fitted as thumbnails and slides ask for it. Nothing decoded may
// exceed the loader's pixel bound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    const QString path = lf::fuzz::input_file(data, size, QStringLiteral("picture.jpg"));
    lf::picture_size(path);
    for (const QSize fit : {QSize(), QSize(64, 48)}) {
        const QImage img = lf::load_picture(path, fit);
        if (qint64(img.width()) * img.height() > lf::max_picture_pixels)
            std::abort();
    }
    return 0;
}
