// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/thumbnail_cache.h"

#include "panel/version_history.h"
#include "viewer/picture_loader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QUrl>

#include <array>
#include <cstdio>
#include <optional>

#include <sys/stat.h>

namespace lf {
namespace {

constexpr std::array<ThumbnailBucket, 4> buckets{{
    {128, "normal"}, {256, "large"}, {512, "x-large"}, {1024, "xx-large"}}};

QString cache_root()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.trimmed().isEmpty())
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/thumbnails");
}

bool under(const QString &path, const QString &folder)
{
    return !folder.isEmpty() && path.startsWith(folder + QLatin1Char('/'));
}

std::optional<qint64> mtime_seconds(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return qint64(st.st_mtime);
}

QByteArray file_uri(const QString &path) { return QUrl::fromLocalFile(path).toEncoded(); }

// Folders the standard wants private; ones that exist are left as they are.
bool make_private_folder(const QString &folder)
{
    QStringList missing;
    for (QString f = folder; !QFileInfo::exists(f); f = QFileInfo(f).path())
        missing.prepend(f);
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &f : missing)
        QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

// Written to a private temporary file beside the target, then renamed over
// it, so a reader never sees half a thumbnail.
void store(const QString &target, const QImage &image, const QString &path, qint64 mtime, QSize natural)
{
    if (!make_private_folder(QFileInfo(target).path()))
        return;
    QTemporaryFile tmp(QFileInfo(target).path() + QStringLiteral("/lumenfolio-XXXXXX.png"));
    if (!tmp.open())
        return; // created 0600
    // Keys on the image itself: the writer's own text option would split
    // "Thumb::URI" at its colons.
    QImage png = image;
    png.setText(QStringLiteral("Thumb::URI"), QString::fromLatin1(file_uri(path)));
    png.setText(QStringLiteral("Thumb::MTime"), QString::number(mtime));
    if (natural.isValid()) {
        png.setText(QStringLiteral("Thumb::Image::Width"), QString::number(natural.width()));
        png.setText(QStringLiteral("Thumb::Image::Height"), QString::number(natural.height()));
    }
    png.setText(QStringLiteral("Software"), QStringLiteral("Lumenfolio"));
    QImageWriter w(&tmp, "png");
    w.setQuality(85); // zlib's fastest level: the sheet waits for it
    if (!w.write(png) || !tmp.flush())
        return;
    if (std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target).constData()) == 0)
        tmp.setAutoRemove(false);
}

// Written after the decodes the sheet waits for (a lower priority on the
// same pool), so that a first showing is not held up by PNG encoding.
void store_later(const QString &target, const QImage &image, const QString &path, qint64 mtime, QSize natural)
{
    QThreadPool::globalInstance()->start([=] { store(target, image, path, mtime, natural); }, -1);
}

struct Entry {
    QImage image;
    QSize natural;
};

// The cached entry when it names this file as of this modification time.
std::optional<Entry> valid_entry(const QString &file, const QByteArray &uri, qint64 mtime)
{
    QImageReader r(file, "png");
    QImage img;
    if (!r.read(&img))
        return std::nullopt;
    bool ok = false;
    if (img.text(QStringLiteral("Thumb::URI")).toLatin1() != uri
        || img.text(QStringLiteral("Thumb::MTime")).trimmed().toLongLong(&ok) != mtime || !ok)
        return std::nullopt;
    const QSize natural(img.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                        img.text(QStringLiteral("Thumb::Image::Height")).toInt());
    return Entry{img, natural.isEmpty() ? QSize() : natural};
}

} // namespace

ThumbnailCache ThumbnailCache::standard(const QString &tmp_pic_dir)
{
    ThumbnailCache c;
    c.root = cache_root();
    c.never_under = tmp_pic_dir;
    c.failures = c.root + QStringLiteral("/fail/lumenfolio-")
               + current_version().section(QLatin1Char(' '), 0, 0);
    return c;
}

bool ThumbnailCache::caches(const QString &path) const
{
    return !root.isEmpty() && QDir::isAbsolutePath(path) && !under(path, never_under)
        && !under(path, root);
}

ThumbnailBucket thumbnail_bucket(int pixels)
{
    for (const ThumbnailBucket &b : buckets)
        if (pixels <= b.size)
            return b;
    return {};
}

QString thumbnail_file_name(const QString &path)
{
    return QString::fromLatin1(QCryptographicHash::hash(file_uri(path), QCryptographicHash::Md5).toHex())
         + QStringLiteral(".png");
}

CellPicture cell_picture(const ThumbnailCache &cache, const QString &path, int cell, bool use_cached)
{
    CellPicture out;
    const ThumbnailBucket bucket = thumbnail_bucket(cell);
    const std::optional<qint64> mtime = mtime_seconds(path);
    const bool cached = bucket.size > 0 && mtime && cache.caches(path);
    const QString name = cached ? thumbnail_file_name(path) : QString();
    const QByteArray uri = cached ? file_uri(path) : QByteArray();

    if (cached && use_cached) {
        if (valid_entry(cache.failures + QLatin1Char('/') + name, uri, *mtime))
            return out; // known not to decode
        for (const ThumbnailBucket &b : buckets) {
            if (b.size < bucket.size)
                continue;
            const auto e = valid_entry(cache.root + QLatin1Char('/') + QLatin1String(b.folder)
                                           + QLatin1Char('/') + name, uri, *mtime);
            if (!e)
                continue;
            const QSize s = e->image.size();
            // Large enough for the cell, or the whole picture.
            if (qMax(s.width(), s.height()) >= cell || (e->natural.isValid() && s == e->natural)) {
                out.image = e->image;
                out.natural = e->natural;
                out.from_cache = true;
                return out;
            }
        }
    }

    out.natural = picture_size(path);
    if (!cached) {
        out.image = load_picture(path, QSize(cell, cell));
        return out;
    }
    // Decoded at the cache's size, written there, and scaled to the cell.
    QImage img = load_picture(path, QSize(bucket.size, bucket.size));
    if (img.isNull()) {
        QImage none(1, 1, QImage::Format_ARGB32);
        none.fill(Qt::transparent);
        store_later(cache.failures + QLatin1Char('/') + name, none, path, *mtime, QSize());
        return out;
    }
    // A picture no larger than the standard size is shown from the file
    // itself; the standard keeps only reduced copies.
    if (out.natural.isValid() && qMax(out.natural.width(), out.natural.height()) > bucket.size)
        store_later(cache.root + QLatin1Char('/') + QLatin1String(bucket.folder) + QLatin1Char('/') + name,
                    img, path, *mtime, out.natural);
    out.image = img;
    return out;
}

void forget_cached_thumbnails(const QString &path)
{
    const QString root = cache_root();
    const QString name = thumbnail_file_name(path);
    for (const ThumbnailBucket &b : buckets)
        QFile::remove(root + QLatin1Char('/') + QLatin1String(b.folder) + QLatin1Char('/') + name);
}

} // namespace lf
