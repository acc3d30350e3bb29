// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"
#include "fuzz_input.h"

#include <cstdlib>

// Splitting and recognising paths: folder + "/" + name gives the path back
// whenever the path holds a "/".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    QString s = lf::fuzz::input_text(data, size);
    const QString folder = lf::folder_of(s), name = lf::file_name_of(s);
    if (s.contains(QLatin1Char('/')) && folder + QLatin1Char('/') + name != s)
        std::abort();
    lf::extension_of(s);
    lf::is_picture_file(s);
    lf::is_url(s);
    lf::first_line(s);
    lf::strip_quotes(s);
    return 0;
}
