// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/file_commands.h"

#include <QSize>
#include <QString>

namespace lf {

// The full-screen window's messages for "Edit picture (E)".
EditorMessages full_screen_editor_messages();

} // namespace lf

namespace lf {

struct SlideList;
struct ShowCursor;
struct ViewerState;

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
// The delete key's question; true when the answer is Yes.
bool ask_delete_picture(const QString &path);
// After the shown picture was deleted: there is no last picture any more.
void forget_deleted_picture(SlideList &s);
// Automatic/manual and random/sequential changes, remembered as settings.
void set_auto_advance(SlideList &s, bool on);
void set_random_order(SlideList &s, bool on);
// Refresh in a running show: the same slide again, not counted anew.
void replay_current_slide(SlideList &s, ShowCursor &c);
// A held picture's natural size in picture pixels: as recorded, else the image's.
QSize held_natural_size(const ViewerState &v, QSize image_size, double pixel_ratio);
// The shown picture's natural size, kept in twips for the next window.
void note_natural_size(ViewerState &v, QSize natural, double pixel_ratio);

} // namespace lf
