// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/file_commands.h"

#include <QString>

namespace lf {

// The full-screen window's messages for "Edit picture (E)".
EditorMessages full_screen_editor_messages();

} // namespace lf

namespace lf {

struct SlideList;

// "Select next picture number": asks until the answer is blank or a
// number of the list; true with s.resume_slide set to it.
bool ask_go_to_number(SlideList &s);
// "Set new interval in milliseconds": a number becomes the interval and
// its setting. True when it changed.
bool ask_new_interval(SlideList &s);
// The sequential-order command: false when nothing is to happen; otherwise
// order and current slide are set for the forward step that follows.
bool sequential_order_request(SlideList &s);
// The shown picture was deleted: in a running show its entry counts as seen
// and is emptied, so that the show passes it by from now on.
void forget_deleted_slide(SlideList &s);

} // namespace lf
