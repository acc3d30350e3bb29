// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"
#include "thumbs/thumbnail_sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    const QString path = lf::fuzz::input_file(data, size, QStringLiteral("_thumbnails_01.tnf"));
    lf::read_thumbnail_file(path);
    lf::sheet_caption(path, lf::explore_tn_sequence(path));
    return 0;
}
