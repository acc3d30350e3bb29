// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"

// The .ssf reader on any bytes; missing pictures are answered by the default
// button, and the rewrite lands in the private folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    lf::fuzz::start();
    lf::test::reset_everything();
    lf::test::ScriptedPrompt prompt;
    lf::read_slide_list(lf::fuzz::input_file(data, size, QStringLiteral("show.ssf")));
    return 0;
}
