// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

namespace lf {

// What a key does in the full-screen window. Several keys mean one thing in
// a running show and another on a single picture (Page Up steps back in a
// show and pans the picture otherwise).
enum class FsCommand {
    None,
    RestoreUnaltered,   // Ctrl+Z
    CopyPicture,        // Ctrl+C
    BackwardStep,
    ForwardStep,        // manual: the show stops advancing by itself
    NextOrHandBack,     // Enter: the next slide, or back to a normal window
    Pan,
    Menu,
    Refresh,            // F5, in manual mode
    RandomMode,
    SaveAs,
    Crop,
    ResumeManual,
    ResumeAuto,
    NormalView,         // B: manual mode, the show ends, a normal window
    ToggleAuto,
    Delete,
    Edit,
    ShowFolder,
    ToggleStatusBar,
    SequentialMode,
    Escape,
    ZoomIn,
    ZoomOut,
    NaturalSize,
    RestoreProportions, // any other key with a text
};

struct FsKeyAction {
    FsCommand command = FsCommand::None;
    int pan_x = 0; // twips, for Pan
    int pan_y = 0;
};

// key: Qt::Key; text: what the key types. `show`: a slide show is running.
FsKeyAction fs_key_action(int key, bool ctrl, bool other_modifiers, const QString &text, bool show);
// The same from the key's modifiers: Ctrl counts alone and with others.
FsKeyAction fs_key_action(int key, Qt::KeyboardModifiers mods, const QString &text, bool show);

} // namespace lf
