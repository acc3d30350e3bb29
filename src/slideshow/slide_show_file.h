#pragma once

namespace lf {

// Reads slides().slide_show_file into the slide list and opens the
// full-screen window on it.
void read_slide_show_file();

} // namespace lf
