// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_commands.h"

#include "app/paths.h"
#include "app/prompt.h"
#include "slideshow/slide_list.h"
#include "viewer/picture_loader.h"

#include <cmath>

namespace lf {

PictureCommand command_for_key(int qt_key, Qt::KeyboardModifiers modifiers, bool crop_mode)
{
    const Qt::KeyboardModifiers m = modifiers & ~Qt::KeypadModifier;
    const bool ctrl = m.testFlag(Qt::ControlModifier);
    switch (qt_key) {
    case Qt::Key_Z:
        return ctrl ? PictureCommand::Restore : PictureCommand::None;
    case Qt::Key_Menu:
        return m == Qt::NoModifier ? PictureCommand::OpenMenu : PictureCommand::None;
    case Qt::Key_PageDown:
        return crop_mode ? PictureCommand::None : PictureCommand::NextPicture;
    case Qt::Key_PageUp:
        return crop_mode ? PictureCommand::None : PictureCommand::PreviousPicture;
    case Qt::Key_C:
        return ctrl ? PictureCommand::CopyToClipboard : PictureCommand::None;
    case Qt::Key_Delete:
        return PictureCommand::DeletePicture;
    case Qt::Key_F5:
        return PictureCommand::Refresh;
    default:
        return PictureCommand::None;
    }
}

PictureCommand command_for_character(QChar c, bool crop_mode)
{
    switch (c.toUpper().unicode()) {
    case 27: return PictureCommand::Close;
    case 'T': return PictureCommand::FolderThumbnails;
    case 'S': return PictureCommand::FolderSlideShow;
    case 'F': return PictureCommand::ShowFolder;
    case 'A': return PictureCommand::CopyFileAs;
    case 'B': return PictureCommand::FullScreen;
    case 'C': return PictureCommand::ToggleCrop;
    case 'H': return PictureCommand::NoBorders;
    case 'J': return PictureCommand::SaveCropped;
    case 'M': return PictureCommand::Motion;
    case 'P': return PictureCommand::MainPanel;
    case 'N': return PictureCommand::Rename;
    case 'R': return PictureCommand::SaveResized;
    case 'E': return PictureCommand::Edit;
    case '\r': return PictureCommand::FullScreen;
    case '+':
        // In crop mode + and - move the picture instead.
        return crop_mode ? PictureCommand::None : PictureCommand::ZoomIn;
    case '-':
        return crop_mode ? PictureCommand::None : PictureCommand::ZoomOut;
    case '/': return PictureCommand::OriginalResolution;
    case 'W': return PictureCommand::WebResolution;
    case '*': return PictureCommand::FillScreen;
    default: return PictureCommand::None;
    }
}

PictureCommand command_for_key_event(int qt_key, Qt::KeyboardModifiers modifiers,
                                     const QString &text, bool crop_mode)
{
    const PictureCommand c = command_for_key(qt_key, modifiers, crop_mode);
    if (c != PictureCommand::None || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return c;
    QChar ch;
    if (qt_key == Qt::Key_Escape)
        ch = QChar(27);
    else if (qt_key == Qt::Key_Return || qt_key == Qt::Key_Enter)
        ch = QLatin1Char('\r');
    else if (!text.isEmpty())
        ch = text.at(0);
    return ch.isNull() ? PictureCommand::None : command_for_character(ch, crop_mode);
}

PopupVisibility popup_visibility(const QString &picture_path, bool cropped, bool rescaled,
                                 bool shrunk_at_load)
{
    PopupVisibility v;
    v.save_in_jpeg_format = picture_path.right(4).compare(QLatin1String(".jpg"), Qt::CaseInsensitive) != 0
        && !cropped && !rescaled;
    v.save_jpeg_resized = shrunk_at_load || rescaled;
    v.save_cropped_image_as = cropped;
    return v;
}

int find_in_slides(const SlideList &s, const QString &path)
{
    const int count = qMin(s.slide_count, max_slides);
    for (int i = 1; i <= count; ++i) {
        if (s.slot(i).path.compare(path, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

int stepped_index(int index, int count, bool next)
{
    if (count <= 0)
        return 0;
    if (next)
        return index >= count ? 1 : index + 1;
    return index <= 1 ? count : index - 1;
}

bool take_folder_list(FolderList &list, const SlideList &s, const QString &picture_path)
{
    if (list.ready)
        return true;
    const int at = find_in_slides(s, picture_path);
    if (at == 0)
        return false;
    list.paths.clear();
    const int count = qMin(s.slide_count, max_slides);
    list.paths.reserve(count);
    for (int i = 1; i <= count; ++i)
        list.paths << s.slot(i).path;
    list.index = at;
    list.ready = true;
    return true;
}

QStringList step_targets(const QStringList &paths, const QString &picture_path, int index)
{
    const int count = int(paths.size());
    if (index < 1 || index > count) {
        index = 0;
        for (int i = 1; i <= count && index == 0; ++i) {
            if (paths[i - 1].compare(picture_path, Qt::CaseInsensitive) == 0)
                index = i;
        }
    }
    QStringList out;
    if (index == 0)
        return out;
    for (const bool next : {true, false}) {
        const QString &p = paths[stepped_index(index, count, next) - 1];
        if (p != paths[index - 1] && !out.contains(p))
            out << p;
    }
    return out;
}

std::optional<int> parse_jpeg_quality(const QString &answer)
{
    bool ok = false;
    const double q = answer.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(q) || q < 10 || q > 99)
        return std::nullopt;
    return int(std::lround(q));
}

std::optional<int> ask_jpeg_quality(int current)
{
    InputRequest r;
    r.title = QStringLiteral("Set new JPEG quality");
    r.prompt = QStringLiteral("New quality (min=10, max=99, suggested=80)?");
    r.proposed = QString::number(current);
    for (;;) {
        const QString answer = prompt().input(r);
        if (answer.isEmpty())
            return std::nullopt;
        if (const auto q = parse_jpeg_quality(answer))
            return q;
        notify(QStringLiteral("Invalid value: ") + answer);
    }
}

QString ask_picture_to_open(const QString &last_picture_file)
{
    FileRequest r;
    r.kind = FileRequest::Open;
    r.filter = picture_open_filter;
    if (file_exists(last_picture_file))
        r.start = last_picture_file;
    return prompt().file(r);
}

bool confirm_delete(const QString &path)
{
    return ask(QStringLiteral("Do you really want to delete file ") + path + QLatin1Char('?'),
               Buttons::OkCancel, Icon::Critical, 2, QStringLiteral("Deleting last picture"))
        == Answer::Ok;
}

QString picture_open_problem(const QString &path)
{
    if (!file_exists(path))
        return QStringLiteral("File not found ") + path;
    // The header tells; the picture itself is decoded by the window.
    if (is_folder(path) || !picture_size(path).isValid())
        return QStringLiteral("Bad file name: ") + path;
    return {};
}

} // namespace lf
