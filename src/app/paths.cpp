// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace lf {

void strip_quotes(QString &s)
{
    if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
}

QString absolute_path(const QString &path, const QString &base)
{
    if (path.isEmpty())
        return {};
    const QDir dir(base.isEmpty() ? QDir::currentPath() : base);
    return QDir::cleanPath(dir.absoluteFilePath(path));
}

QString folder_of(const QString &path)
{
    const qsizetype i = path.lastIndexOf(QLatin1Char('/'));
    return i < 0 ? QString() : path.left(i);
}

QString file_name_of(const QString &path)
{
    const qsizetype i = path.lastIndexOf(QLatin1Char('/'));
    return i < 0 ? path : path.mid(i + 1);
}

bool file_exists(const QString &path)
{
    if (path.trimmed().isEmpty())
        return false;
    // A dangling link names nothing the user can open.
    return QFileInfo::exists(path);
}

std::optional<qint64> modification_ms(const QByteArray &encoded_path)
{
    struct stat st;
    if (::stat(encoded_path.constData(), &st) != 0)
        return std::nullopt;
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

QDateTime modification_time(const QString &path)
{
    if (path.trimmed().isEmpty())
        return {};
    const std::optional<qint64> ms = modification_ms(QFile::encodeName(path));
    return ms ? QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC) : QDateTime();
}

bool is_folder(const QString &path)
{
    return !path.trimmed().isEmpty() && QFileInfo(path).isDir();
}

QString extension_of(const QString &path)
{
    const QString name = file_name_of(path);
    const qsizetype i = name.lastIndexOf(QLatin1Char('.'));
    return i < 0 ? QString() : name.mid(i).toLower();
}

bool is_picture_file(const QString &path)
{
    const QString ext = extension_of(path);
    return ext == QLatin1String(".jpg") || ext == QLatin1String(".gif")
        || ext == QLatin1String(".bmp");
}

QString on_disk_name(const QString &path)
{
    const QString name = file_name_of(path);
    if (name.isEmpty())
        return path;
    const QString folder = folder_of(path);
    const QDir dir(folder.isEmpty() && path.startsWith(QLatin1Char('/')) ? QStringLiteral("/")
                   : folder.isEmpty() ? QStringLiteral(".") : folder);
    if (QFileInfo::exists(dir.filePath(name))) {
        // Same spelling is on disk; only a case-folding volume can differ.
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System
                                        | QDir::NoDotAndDotDot);
        QString folded;
        while (it.hasNext()) {
            it.next();
            const QString entry = it.fileName();
            if (entry == name)
                return path;
            if (folded.isEmpty() && entry.compare(name, Qt::CaseInsensitive) == 0)
                folded = entry;
        }
        if (!folded.isEmpty())
            return folder + QLatin1Char('/') + folded;
    }
    return path;
}

bool storable_path(const QByteArray &encoded_path)
{
    if (encoded_path.contains('\n') || encoded_path.contains('\r'))
        return false;
    return QFile::encodeName(QFile::decodeName(encoded_path)) == encoded_path;
}

QString unstorable_names_message(int count)
{
    return QString::number(count)
         + QStringLiteral(" pictures were left out: their names are not valid UTF-8 or hold a line "
                          "break, so a list cannot keep them.");
}

bool is_url(const QString &s)
{
    for (const char *p : {"https://", "ftp://", "http://", "www."}) {
        if (s.startsWith(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString first_line(const QString &s)
{
    const qsizetype cr = s.indexOf(QLatin1Char('\r'));
    const qsizetype lf = s.indexOf(QLatin1Char('\n'));
    qsizetype cut = cr;
    if (cut < 0 || (lf >= 0 && lf < cut))
        cut = lf;
    return cut < 0 ? s : s.left(cut);
}

} // namespace lf
