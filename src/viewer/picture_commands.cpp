#include "viewer/picture_commands.h"

namespace lf {

PictureCommand command_for_character(QChar c, bool crop_mode)
{
    switch (c.toUpper().unicode()) {
    case '+':
        // In crop mode + and - move the picture instead.
        return crop_mode ? PictureCommand::None : PictureCommand::ZoomIn;
    case '-':
        return crop_mode ? PictureCommand::None : PictureCommand::ZoomOut;
    case '/':
        return PictureCommand::OriginalResolution;
    case 'W':
        return PictureCommand::WebResolution;
    default:
        return PictureCommand::None;
    }
}

} // namespace lf
