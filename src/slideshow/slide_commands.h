#pragma once

#include <QString>

namespace lf {

// Copies the picture into tmp_pic_dir under its own name, then deletes it
// and lists it in deleted_pictures. Deletes nothing when the copy fails
// (and says so). True when the picture is gone.
bool delete_picture_with_backup(const QString &path);

// The full-screen "Edit picture (E)": the stored editor on the picture.
// Returns the message shown, "" when the editor was started.
QString edit_picture(const QString &path);

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

} // namespace lf
