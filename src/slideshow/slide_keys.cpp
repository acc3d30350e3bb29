// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_keys.h"

#include <Qt>

namespace lf {
namespace {

FsKeyAction pan(int x, int y) { return {FsCommand::Pan, x, y}; }
FsKeyAction only_in_show(bool show, FsCommand c) { return {show ? c : FsCommand::None}; }

} // namespace

FsKeyAction fs_key_action(int key, bool ctrl, bool other_modifiers, const QString &text, bool show)
{
    using C = FsCommand;
    if (ctrl && key == Qt::Key_Z)
        return {C::RestoreUnaltered};
    if (ctrl && key == Qt::Key_C)
        return {C::CopyPicture};
    switch (key) {
    case Qt::Key_PageUp: return show ? FsKeyAction{C::BackwardStep} : pan(0, 4800);
    case Qt::Key_PageDown: return show ? FsKeyAction{C::ForwardStep} : pan(0, -4800);
    case Qt::Key_End: return pan(-4800, 0);
    case Qt::Key_Home: return pan(4800, 0);
    case Qt::Key_Left: return pan(480, 0);
    case Qt::Key_Up: return pan(0, 480);
    case Qt::Key_Right: return pan(-480, 0);
    case Qt::Key_Down: return pan(0, -480);
    case Qt::Key_Menu: return {ctrl || other_modifiers ? C::None : C::Menu};
    case Qt::Key_F5: return {C::Refresh};
    case Qt::Key_R: return {C::RandomMode};
    case Qt::Key_A: return {C::SaveAs};
    case Qt::Key_C: return {C::Crop};
    case Qt::Key_M: return {C::ResumeManual};
    case Qt::Key_U: return {C::ResumeAuto};
    case Qt::Key_B: return {C::NormalView};
    case Qt::Key_F9: return only_in_show(show, C::ToggleAuto);
    case Qt::Key_Delete: return only_in_show(show, C::Delete);
    case Qt::Key_Backspace: return only_in_show(show, C::BackwardStep);
    case Qt::Key_Space: return only_in_show(show, C::ForwardStep);
    case Qt::Key_E: return {C::Edit};
    case Qt::Key_F: return {C::ShowFolder};
    case Qt::Key_H: return {C::ToggleStatusBar};
    case Qt::Key_S: return {C::SequentialMode};
    case Qt::Key_Escape: return {C::Escape};
    case Qt::Key_Return:
    case Qt::Key_Enter: return {C::NextOrHandBack};
    default: break;
    }
    if (text == QLatin1String("+"))
        return {C::ZoomIn};
    if (text == QLatin1String("-"))
        return {C::ZoomOut};
    if (text == QLatin1String("/"))
        return {C::NaturalSize};
    if (!text.isEmpty())
        return {C::RestoreProportions};
    return {};
}

FsKeyAction fs_key_action(int key, Qt::KeyboardModifiers mods, const QString &text, bool show)
{
    return fs_key_action(key, bool(mods & Qt::ControlModifier), bool(mods & ~Qt::ControlModifier),
                         text, show);
}

} // namespace lf
