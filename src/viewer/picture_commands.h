#pragma once

#include <QChar>

namespace lf {

// Commands of the picture window that a key or a menu item starts.
enum class PictureCommand {
    None,
    ZoomIn,
    ZoomOut,
    OriginalResolution,
    WebResolution,
};

// The command for a typed character (letters in either case).
PictureCommand command_for_character(QChar c, bool crop_mode);

} // namespace lf
