// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lf {

// The main panel's "?" menu.
void show_help();
void open_web_site();
void show_version_history();
void show_about();

} // namespace lf
