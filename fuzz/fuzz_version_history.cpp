// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"
#include "panel/version_history.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    const QStringList lines = lf::fuzz::input_text(data, size).split(QLatin1Char('\n'));
    for (int mode = 0; mode <= 2; ++mode)
        lf::version_history_text(mode, lines);
    return 0;
}
