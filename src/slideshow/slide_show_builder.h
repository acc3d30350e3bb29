#pragma once

#include <QString>

namespace lf {

// Builds a sorted slide show of the pictures in `folder` (asks for a folder
// when empty). With build_only the subfolders are not offered and the show
// is not started: the caller finds the list in the slide list.
void build_slide_show(const QString &folder, bool build_only);

} // namespace lf
