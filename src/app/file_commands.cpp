// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_commands.h"

#include "app/app_state.h"
#include "app/file_changes.h"
#include "app/paths.h"
#include "app/picture_versions.h"
#include "app/prompt.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "app/shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>

namespace lf {

bool delete_with_backup(const QString &path)
{
    const QString dir = app().tmp_pic_dir;
    if (dir.isEmpty()) {
        report_error(ENOENT, QStringLiteral("No folder for the backup copy: the picture was not deleted"));
        return false;
    }
    if (!file_exists(path)) {
        report(fault_of(ENOENT));
        return false;
    }
    // The copy is kept under the picture's own path, beside any earlier
    // deleted copy of that path, and made whole before anything is removed.
    FileFault f;
    if (!make_versions_folder(dir, path))
        f = fault_of(errno);
    const QString copy = deleted_copy_for(dir, path);
    if (!f.failed())
        f = replace_file_with_copy(copy, path);
    if (f.failed()) {
        report(f);
        return false;
    }
    // The desktop's Trash of the picture's own volume can give it back after
    // the program ends; where none can take it, the copy above is all.
    if (!QFile::moveToTrash(path) && ::unlink(QFile::encodeName(path).constData()) != 0) {
        f = fault_of(errno);
        QFile::remove(copy);
        report(f);
        return false;
    }
    app().deleted_pictures += QLatin1Char('|') + path;
    file_changed(path);
    return true;
}

RenameCheck check_new_name(const QString &path, const QString &answer)
{
    if (answer.trimmed().isEmpty())
        return RenameCheck::Cancelled;
    if (answer.right(4).compare(path.right(4), Qt::CaseInsensitive) != 0)
        return RenameCheck::ExtensionChanged;
    if (answer.contains(QLatin1Char('/')) || answer.contains(QChar(0)) || answer == QLatin1String(".")
        || answer == QLatin1String(".."))
        return RenameCheck::Invalid;
    const QString target = folder_of(path) + QLatin1Char('/') + answer;
    // A case-only change of the same file is fine; another file is not.
    if (target != path && QFileInfo::exists(target)
        && QFileInfo(target).canonicalFilePath() != QFileInfo(path).canonicalFilePath())
        return RenameCheck::Invalid;
    return RenameCheck::Ok;
}

QString answer_as_name(const QString &path, const QString &answer, RenameRules rules)
{
    QString name = rules.trim_answer ? answer.trimmed() : answer;
    if (rules.add_missing_extension && !name.trimmed().isEmpty() && !name.contains(QLatin1Char('.')))
        name += path.right(4);
    return name;
}

QString ask_and_rename(const QString &path, const QString &title, RenameRules rules)
{
    InputRequest q;
    q.title = title;
    q.prompt = QStringLiteral("New file name?");
    q.proposed = file_name_of(path);
    while (true) {
        const QString answer = prompt().input(q);
        const QString name = answer_as_name(path, answer, rules);
        switch (check_new_name(path, name)) {
        case RenameCheck::Cancelled:
            return {};
        case RenameCheck::ExtensionChanged:
            notify(extension_cannot_change);
            q.proposed = answer;
            continue;
        case RenameCheck::Invalid:
            notify(invalid_file_name);
            q.proposed = answer;
            continue;
        case RenameCheck::Ok:
            break;
        }
        const QString target = folder_of(path) + QLatin1Char('/') + name;
        if (target == path)
            return {};
        const FileFault f = rename_file(path, target);
        if (f.failed()) {
            report(f);
            return {};
        }
        file_changed(path);
        file_changed(target);
        // The last picture keeps being the last picture under its new name.
        AppState &a = app();
        if (a.last_picture_file == path || get_setting(key::last_picture_file) == path) {
            a.last_picture_file = target;
            save_setting(key::last_picture_file, target);
        }
        return target;
    }
}

EditorStart start_picture_editor(const QString &editor_path, const QString &picture,
                                 const EditorMessages &m)
{
    const QString editor = editor_path.trimmed();
    if (editor.isEmpty() && !m.not_assigned.isEmpty()) {
        notify(m.not_assigned);
        return EditorStart::NotAssigned;
    }
    const QFileInfo fi(editor);
    if (editor.isEmpty() || !fi.exists()) {
        notify(m.wrong);
        return EditorStart::Wrong;
    }
    if (fi.isDir() || !fi.isExecutable()) {
        notify(m.not_a_program.isEmpty() ? m.wrong : m.not_a_program);
        return EditorStart::Wrong;
    }
    if (!m.no_picture.isEmpty() && !file_exists(picture)) {
        notify(m.no_picture);
        return EditorStart::NoPicture;
    }
    // The picture goes as one argument: no shell reads its name.
    const QString folder = folder_of(picture);
    if (!QProcess::startDetached(editor, {picture}, is_folder(folder) ? folder : QString())) {
        notify(QStringLiteral("The picture editor ") + editor + QStringLiteral(" could not be started."));
        return EditorStart::Failed;
    }
    return EditorStart::Started;
}

void edit_with_picture_editor(const QString &editor, const QString &picture)
{
    EditorMessages m;
    m.not_assigned = QStringLiteral("Picture editor path not assigned. Go to Image Viewer main panel and assign it.");
    m.wrong = QStringLiteral("Path of picture editor is wrong. Go to main menu and reassign it.");
    m.not_a_program = QStringLiteral("The picture editor ") + editor.trimmed()
                    + QStringLiteral(" is not a program that can be started. Go to Image Viewer main "
                                     "panel and assign it.");
    start_picture_editor(editor, picture, m);
}

void copy_file_as(const QString &source, const QString &fallback_folder)
{
    const QString last = folder_of(get_setting(key::last_saved_as_file));
    const QString folder = is_folder(last) ? last : fallback_folder;
    FileRequest r;
    r.kind = FileRequest::Save;
    r.title = QStringLiteral("Copy original image file as...");
    r.start = folder + QLatin1Char('/') + file_name_of(source);
    r.default_suffix = extension_of(source).mid(1);
    const QString target = ask_save_path(r);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
        return;
    // Only the file the user named is written, through a work file of its
    // own beside it; a failure leaves any old target as it was.
    const FileFault f = replace_file_with_copy(target, source);
    if (f.failed()) {
        report(f);
        return;
    }
    file_changed(target);
    save_setting(key::last_saved_as_file, target);
}

QString agenda_file()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.local/share");
    dir += QLatin1Char('/') + application_name();
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/agenda.txt");
    if (!QFileInfo::exists(file)) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.close();
    }
    return file;
}

} // namespace lf
