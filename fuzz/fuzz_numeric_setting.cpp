// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    const QString s = lf::fuzz::input_text(data, size);
    lf::numeric_value(s);
    lf::numeric_int(s);
    return 0;
}
