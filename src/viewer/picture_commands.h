// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace lf {

struct SlideList;

// Commands of the picture window that a key or a menu item starts.
enum class PictureCommand {
    None,
    ZoomIn,
    ZoomOut,
    OriginalResolution,
    WebResolution,
    // First pass: keys by code.
    Restore,
    OpenMenu,
    NextPicture,
    PreviousPicture,
    CopyToClipboard,
    DeletePicture,
    Refresh,
    // Second pass: characters.
    Close,
    FolderThumbnails,
    FolderSlideShow,
    ShowFolder,
    CopyFileAs,
    FullScreen,
    ToggleCrop,
    NoBorders,
    SaveCropped,
    Motion,
    MainPanel,
    Rename,
    SaveResized,
    Edit,
    FillScreen,
};

// The first pass: a key-down by key code and modifiers. The crop keys are
// not in this table; the crop helper takes them first in crop mode.
PictureCommand command_for_key(int qt_key, Qt::KeyboardModifiers modifiers, bool crop_mode);

// The second pass: the command for a typed character (letters in either
// case; Escape and Enter as their control characters).
PictureCommand command_for_character(QChar c, bool crop_mode);

// Both passes for one key-down; without Ctrl or Alt a key the first pass
// does not know is taken by the character it types.
PictureCommand command_for_key_event(int qt_key, Qt::KeyboardModifiers modifiers,
                                     const QString &text, bool crop_mode);

// Which of the save items the context menu shows before it opens.
struct PopupVisibility {
    bool save_in_jpeg_format = false;
    bool save_jpeg_resized = false;
    bool save_cropped_image_as = false;
};
PopupVisibility popup_visibility(const QString &picture_path, bool cropped, bool rescaled,
                                 bool shrunk_at_load);

// The pictures of the window's folder, taken once per window.
struct FolderList {
    QStringList paths;
    int index = 0; // 1-based
    bool ready = false;
};

// 1-based position of path in the slide list (any letter case), 0 if absent.
int find_in_slides(const SlideList &s, const QString &path);
// The next or previous position of 1..count, wrapping both ways.
int stepped_index(int index, int count, bool next);
// Fills the list from the slide list the first time; false when the picture
// is not in it (the list stays unready).
bool take_folder_list(FolderList &list, const SlideList &s, const QString &picture_path);
// What Page Down and Page Up reach from picture_path in paths (found without
// regard to case, or at the 1-based `index` when that is given): the next
// picture first, then the previous one, neither twice nor picture_path
// itself. Empty when picture_path is not in the list.
QStringList step_targets(const QStringList &paths, const QString &picture_path, int index = 0);

// A quality answer: a number from 10 to 99, rounded; nothing otherwise.
std::optional<int> parse_jpeg_quality(const QString &answer);
// Asks for a new quality until one is valid; nothing when cancelled.
std::optional<int> ask_jpeg_quality(int current);

inline const QString picture_open_filter = QStringLiteral("Image (*.jpg *.gif *.bmp *.JPG *.GIF *.BMP)");
// The open dialog of "Open another picture": the last picture proposed when
// it still exists. "" when cancelled.
QString ask_picture_to_open(const QString &last_picture_file);

// Why a picture window would have nothing to show for `path`: "File not
// found " + path when it is missing, "Bad file name: " + path when it is a
// folder or holds no JPEG, GIF or BMP picture (another format, text under a
// picture name); "" when it opens.
QString picture_open_problem(const QString &path);

// "Do you really want to delete file ...?": true on OK.
bool confirm_delete(const QString &path);

} // namespace lf
