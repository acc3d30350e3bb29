// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/file_association.h"

#include "app/prompt.h"
#include "app/settings.h"
#include "app/window_layer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QStandardPaths>

namespace lf {

const QString desktop_entry_id = QStringLiteral(LUMENFOLIO_APP_ID ".desktop");

namespace {

const QString default_group = QStringLiteral("Default Applications");
const QString added_group = QStringLiteral("Added Associations");
const QString removed_group = QStringLiteral("Removed Associations");

QString resolved(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? path : c;
}

bool same_program(const QString &a, const QString &b)
{
    return !a.isEmpty() && resolved(a) == resolved(b);
}

QByteArray read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write_all(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // Flushed first: commit() alone renames a file cut off by a full disk
    // over the user's list.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        f.commit();
        return false;
    }
    return f.commit();
}

QStringList env_dirs(const char *name, const QString &fallback)
{
    QString v = qEnvironmentVariable(name);
    if (v.isEmpty())
        v = fallback;
    return v.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString env_dir(const char *name, const QString &home_relative)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QDir::homePath() + home_relative : v;
}

QStringList data_dirs()
{
    return QStringList{env_dir("XDG_DATA_HOME", QStringLiteral("/.local/share"))}
         + env_dirs("XDG_DATA_DIRS", QStringLiteral("/usr/local/share/:/usr/share/"));
}

QStringList config_dirs()
{
    return QStringList{env_dir("XDG_CONFIG_HOME", QStringLiteral("/.config"))}
         + env_dirs("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
}

// A line's group name, or "" when it is no group header.
QString group_of_header(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']'))
        return {};
    return QString::fromUtf8(t.mid(1, t.size() - 2));
}

// Lines with their line ends.
QList<QByteArray> split_lines(const QByteArray &content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        lines << content.mid(start, end - start);
        start = end;
    }
    return lines;
}

bool is_key_line(const QByteArray &line, const QString &key)
{
    const qsizetype eq = line.indexOf('=');
    return eq > 0 && QString::fromUtf8(line.left(eq).trimmed()) == key;
}

QStringList value_list(const QString &value)
{
    QStringList out;
    for (const QString &v : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = v.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

QString joined_list(const QStringList &values)
{
    return values.isEmpty() ? QString() : values.join(QLatin1Char(';')) + QLatin1Char(';');
}

// Desktop entry quoting: a path with reserved characters goes in double
// quotes with ", `, $ and \ escaped; then the string-level escapes.
QString exec_argument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : path)
        quote = quote || reserved.contains(c);
    QString arg = path;
    if (quote) {
        QString q;
        for (const QChar c : path) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                || c == QLatin1Char('\\'))
                q += QLatin1Char('\\');
            q += c;
        }
        arg = QLatin1Char('"') + q + QLatin1Char('"');
    }
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return arg;
}

// The first word of an Exec value, unquoted.
QString exec_program(QString exec)
{
    exec.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    exec = exec.trimmed();
    QString word;
    if (exec.startsWith(QLatin1Char('"'))) {
        for (qsizetype i = 1; i < exec.size(); ++i) {
            if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec[++i];
                continue;
            }
            if (exec[i] == QLatin1Char('"'))
                break;
            word += exec[i];
        }
    } else {
        const qsizetype sp = exec.indexOf(QLatin1Char(' '));
        word = sp < 0 ? exec : exec.left(sp);
    }
    return word.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// The entry for mime_type in [Default Applications] of one list file, when
// its desktop entry starts a program.
QString default_in_list(const QString &file, const QString &mime_type)
{
    if (!QFileInfo(file).isFile())
        return {};
    // As xdg-mime does: only the first entry of the line counts.
    const QString id = mimeapps_values(read_all(file), default_group, mime_type).value(0);
    return desktop_entry_program(find_desktop_entry(id)).isEmpty() ? QString() : id;
}

} // namespace

QString own_program_path()
{
    return QCoreApplication::instance() ? resolved(QCoreApplication::applicationFilePath())
                                        : QString();
}

QString registered_program(const QString &extension) { return find_program_for_extension(extension); }

void association_prompt(const QString &extension) { offer_association(extension); }

QString make_probe_name(const QString &extension, const QString &folder)
{
    const QString dotted = extension.startsWith(QLatin1Char('.')) ? extension
                                                                  : QLatin1Char('.') + extension;
    const QString dir = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("tmp") + QString::number(n) + dotted;
        if (!QFileInfo::exists(dir + name))
            return name;
    }
}

QString mime_type_for_extension(const QString &extension)
{
    const QString dotted = extension.startsWith(QLatin1Char('.')) ? extension
                                                                  : QLatin1Char('.') + extension;
    return QMimeDatabase().mimeTypeForFile(QStringLiteral("x") + dotted,
                                           QMimeDatabase::MatchExtension).name();
}

QString find_program_for_extension(const QString &extension)
{
    const QString folder = QDir::tempPath();
    // Never touches a file that exists: the name is taken only if it is free.
    QString probe;
    for (int attempt = 0; attempt < 100 && probe.isEmpty(); ++attempt) {
        const QString path = folder + QLatin1Char('/') + make_probe_name(extension, folder);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            probe = path;
    }
    QString program;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(
        probe.isEmpty() ? QStringLiteral("x.") + extension : probe, QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault())
        program = desktop_entry_program(find_desktop_entry(default_desktop_entry(type.name())));
    if (!probe.isEmpty())
        QFile::remove(probe);
    return program;
}

QString user_applications_folder()
{
    return env_dir("XDG_DATA_HOME", QStringLiteral("/.local/share")) + QStringLiteral("/applications");
}

QString user_mimeapps_list()
{
    return env_dir("XDG_CONFIG_HOME", QStringLiteral("/.config")) + QStringLiteral("/mimeapps.list");
}

QString desktop_entry_text(const QString &program_path)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Lumenfolio\n"
                          "GenericName=Picture Viewer\n"
                          "Comment=Show pictures, slide shows and thumbnail sheets\n"
                          "Exec=")
         + exec_argument(program_path)
         + QStringLiteral(" %f\n"
                          "Icon=lumenfolio\n"
                          "Terminal=false\n"
                          "MimeType=image/jpeg;image/gif;image/bmp;\n"
                          "Categories=Graphics;Viewer;\n");
}

QString find_desktop_entry(const QString &id)
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')))
        return {};
    for (const QString &dir : data_dirs()) {
        const QString apps = dir + QStringLiteral("/applications/");
        if (QFileInfo(apps + id).isFile())
            return apps + id;
        // "vendor-name.desktop" may live at vendor/name.desktop.
        const qsizetype dash = id.indexOf(QLatin1Char('-'));
        if (dash > 0) {
            const QString sub = apps + id.left(dash) + QLatin1Char('/') + id.mid(dash + 1);
            if (QFileInfo(sub).isFile())
                return sub;
        }
        for (const QString &d : QDir(apps).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFileInfo(apps + d + QLatin1Char('/') + id).isFile())
                return apps + d + QLatin1Char('/') + id;
        }
    }
    return {};
}

QString desktop_entry_program(const QString &desktop_file)
{
    if (desktop_file.isEmpty())
        return {};
    QString exec;
    bool in_entry = false;
    for (const QByteArray &line : split_lines(read_all(desktop_file))) {
        const QString header = group_of_header(line);
        if (!header.isEmpty()) {
            in_entry = header == QLatin1String("Desktop Entry");
            continue;
        }
        if (in_entry && is_key_line(line, QStringLiteral("Exec"))) {
            exec = QString::fromUtf8(line.mid(line.indexOf('=') + 1)).trimmed();
            break;
        }
    }
    const QString word = exec_program(exec);
    if (word.isEmpty())
        return {};
    const QString found = QFileInfo(word).isAbsolute() ? word : QStandardPaths::findExecutable(word);
    if (found.isEmpty() || !QFileInfo(found).isExecutable())
        return {};
    return resolved(found);
}

QString default_desktop_entry(const QString &mime_type)
{
    QStringList prefixes;
    for (const QString &d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'),
                                                                              Qt::SkipEmptyParts))
        prefixes << d.toLower() + QLatin1Char('-');
    prefixes << QString();

    QStringList list_dirs = config_dirs();
    for (const QString &d : data_dirs())
        list_dirs << d + QStringLiteral("/applications");
    for (const QString &dir : list_dirs) {
        for (const QString &p : prefixes) {
            const QString id = default_in_list(dir + QLatin1Char('/') + p + QStringLiteral("mimeapps.list"),
                                               mime_type);
            if (!id.isEmpty())
                return id;
        }
    }
    // Older lists and the cache of what entries declare, first line found.
    const QString menu_prefix = qEnvironmentVariable("XDG_MENU_PREFIX");
    const QByteArray wanted = mime_type.toUtf8() + '=';
    for (const QString &dir : data_dirs()) {
        for (const QString &p : QStringList{menu_prefix, QString()}) {
            for (const QString &name : {QStringLiteral("defaults.list"), QStringLiteral("mimeinfo.cache")}) {
                for (const QByteArray &line :
                     split_lines(read_all(dir + QStringLiteral("/applications/") + p + name))) {
                    if (line.startsWith(wanted)) {
                        const QStringList ids = value_list(QString::fromUtf8(line.mid(wanted.size())));
                        if (!ids.isEmpty())
                            return ids.front();
                    }
                }
            }
        }
    }
    return {};
}

QStringList mimeapps_values(const QByteArray &content, const QString &group, const QString &key)
{
    bool in_group = false;
    for (const QByteArray &line : split_lines(content)) {
        const QString header = group_of_header(line);
        if (!header.isEmpty()) {
            in_group = header == group;
            continue;
        }
        if (in_group && is_key_line(line, key))
            return value_list(QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
    }
    return {};
}

QByteArray mimeapps_with_value(const QByteArray &content, const QString &group, const QString &key,
                               const QString &value)
{
    QList<QByteArray> lines = split_lines(content);
    const QByteArray new_line = (key + QLatin1Char('=') + value).toUtf8();
    qsizetype group_at = -1;
    qsizetype insert_at = -1; // after the group's last non-blank line
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString header = group_of_header(lines[i]);
        if (!header.isEmpty()) {
            if (group_at >= 0)
                break;
            if (header == group) {
                group_at = i;
                insert_at = i + 1;
            }
            continue;
        }
        if (group_at < 0)
            continue;
        if (is_key_line(lines[i], key)) {
            if (value.isNull()) {
                lines.removeAt(i);
            } else {
                const QByteArray end = lines[i].endsWith("\r\n") ? "\r\n"
                                     : lines[i].endsWith('\n') ? "\n" : "";
                lines[i] = new_line + end;
            }
            return lines.join();
        }
        if (!lines[i].trimmed().isEmpty())
            insert_at = i + 1;
    }
    if (value.isNull())
        return content;
    if (group_at < 0) {
        QByteArray out = content;
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += '\n';
        if (!out.isEmpty() && !out.endsWith("\n\n"))
            out += '\n';
        return out + '[' + group.toUtf8() + "]\n" + new_line + '\n';
    }
    if (insert_at > 0 && !lines[insert_at - 1].endsWith('\n'))
        lines[insert_at - 1] += '\n';
    lines.insert(insert_at, new_line + '\n');
    return lines.join();
}

QByteArray mimeapps_with_default(const QByteArray &content, const QString &mime_type,
                                 const QString &desktop_id)
{
    QByteArray out = mimeapps_with_value(content, default_group, mime_type, desktop_id);
    QStringList added = mimeapps_values(out, added_group, mime_type);
    if (added.value(0) != desktop_id) {
        added.removeAll(desktop_id);
        added.prepend(desktop_id);
        out = mimeapps_with_value(out, added_group, mime_type, joined_list(added));
    }
    QStringList removed = mimeapps_values(out, removed_group, mime_type);
    if (removed.removeAll(desktop_id) > 0)
        out = mimeapps_with_value(out, removed_group, mime_type,
                                  removed.isEmpty() ? QString() : joined_list(removed));
    return out;
}

QStringList user_desktop_mimeapps_lists()
{
    QStringList out;
    const QString home = env_dir("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    for (const QString &d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'),
                                                                              Qt::SkipEmptyParts))
        out << home + QLatin1Char('/') + d.toLower() + QStringLiteral("-mimeapps.list");
    return out;
}

QString write_association(const QString &dotted_extension, const QString &type_name,
                          const QString &program_path)
{
    Q_UNUSED(type_name); // one desktop entry serves every picture type
    const QString mime = mime_type_for_extension(dotted_extension);
    if (mime.isEmpty() || program_path.isEmpty())
        return QString();
    const QString entry = user_applications_folder() + QLatin1Char('/') + desktop_entry_id;
    const QByteArray text = desktop_entry_text(program_path).toUtf8();
    if (read_all(entry) != text && !write_all(entry, text))
        return entry;

    struct Edit {
        QString file;
        QByteArray before;
        QByteArray after;
    };
    QList<Edit> edits;
    // The lists of the running desktop are read before mimeapps.list: one
    // that names a default for the type, or refuses ours, is changed too,
    // or that program would still open the files. Only those that exist.
    for (const QString &list : user_desktop_mimeapps_lists()) {
        if (!QFileInfo(list).isFile())
            continue;
        QFile f(list);
        if (!f.open(QIODevice::ReadOnly))
            return list;
        const QByteArray before = f.readAll();
        if (mimeapps_values(before, default_group, mime).isEmpty()
            && !mimeapps_values(before, removed_group, mime).contains(desktop_entry_id))
            continue;
        const QByteArray after = mimeapps_with_default(before, mime, desktop_entry_id);
        if (after != before)
            edits.push_back({list, before, after});
    }

    const QString list = user_mimeapps_list();
    // A list that exists but cannot be read is left alone: rewriting it from
    // nothing would drop the user's other associations.
    const bool existed = QFileInfo::exists(list);
    QByteArray before;
    if (existed) {
        QFile f(list);
        if (!f.open(QIODevice::ReadOnly))
            return list;
        before = f.readAll();
    }
    const QByteArray after = mimeapps_with_default(before, mime, desktop_entry_id);
    if (after != before || !existed)
        edits.push_back({list, before, after});

    // mimeapps.list last; when a list cannot be written, those already
    // written get their old bytes back, so a failure changes no list.
    for (qsizetype i = 0; i < edits.size(); ++i) {
        if (write_all(edits[i].file, edits[i].after))
            continue;
        for (qsizetype j = 0; j < i; ++j)
            write_all(edits[j].file, edits[j].before);
        return edits[i].file;
    }
    return QString();
}

QString association_failed_message(const QString &extension, const QString &file)
{
    return QStringLiteral("This program could not be associated with '") + extension
         + QStringLiteral("' files: ") + file
         + QStringLiteral(" could not be written. The other associations were left as they were.");
}

void offer_association(const QString &ext)
{
    const QString program = own_program_path();
    if (same_program(find_program_for_extension(ext), program))
        return;
    const QString question = QStringLiteral("This program is not the default program to open '")
                           + ext + QStringLiteral("' files. Do you want to associate it with '")
                           + ext + QStringLiteral("' files?");
    if (ask(question, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    const QString failed = write_association(QLatin1Char('.') + ext, ext + QStringLiteral(" file"), program);
    if (!failed.isEmpty())
        ask(association_failed_message(ext, failed), Buttons::Ok, Icon::Exclamation);
}

bool associate_menu_should_be_enabled()
{
    const QString program = own_program_path();
    for (const QString &ext : {QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg")}) {
        if (!same_program(find_program_for_extension(ext), program))
            return true;
    }
    return false;
}

void associate_file_types()
{
    for (const QString &ext : {QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("bmp")})
        offer_association(ext);
    save_setting(key::file_extensions_checked, bool_text(true));
    windows().associate_menu_enabled(associate_menu_should_be_enabled());
}

} // namespace lf
