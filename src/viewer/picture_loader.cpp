// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_loader.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>

#include <cstring>

namespace lf {
namespace {

void configure(QImageReader &r)
{
    static const bool once = [] {
        QImageReader::setAllocationLimit(decoder_allocation_limit_mb);
        return true;
    }();
    Q_UNUSED(once);
    r.setAutoTransform(true);
    r.setDecideFormatFromContent(true);
}

// The picture files this program shows, recognised by their content: a
// file of another kind under a picture name stays unreadable.
bool shown_format(const QByteArray &format)
{
    return format == "jpeg" || format == "gif" || format == "bmp";
}

bool transposed(QImageReader &r)
{
    return r.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// The decoder pads a cut-off JPEG with grey and calls it a success; a
// complete file runs through its segments and scans to the end marker.
bool jpeg_reaches_end(const uchar *d, qint64 n)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return false;
    qint64 i = 2;
    auto next_ff = [&](qint64 from) {
        if (from >= n)
            return n;
        const void *p = std::memchr(d + from, 0xFF, size_t(n - from));
        return p ? qint64(static_cast<const uchar *>(p) - d) : n;
    };
    while (true) {
        i = next_ff(i); // stray bytes between segments are tolerated
        if (i + 1 >= n)
            return false;
        const uchar m = d[i + 1];
        if (m == 0xFF) {
            ++i;
            continue;
        }
        i += 2;
        if (m == 0xD9)
            return true;
        if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD7))
            continue;
        if (i + 1 >= n)
            return false;
        const int length = (d[i] << 8) | d[i + 1];
        if (length < 2)
            return false;
        i += length;
        if (m != 0xDA)
            continue;
        // Entropy-coded data: 0xFF is stuffed with 0x00 or starts a restart
        // marker; anything else is the next marker.
        while (true) {
            i = next_ff(i);
            if (i + 1 >= n)
                return false;
            const uchar x = d[i + 1];
            if (x == 0x00 || (x >= 0xD0 && x <= 0xD7))
                i += 2;
            else if (x == 0xFF)
                ++i;
            else
                break;
        }
    }
}

bool jpeg_file_complete(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 n = f.size();
    if (uchar *d = f.map(0, n)) {
        const bool ok = jpeg_reaches_end(d, n);
        f.unmap(d);
        return ok;
    }
    const QByteArray bytes = f.readAll();
    return jpeg_reaches_end(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

// The size in the header. Qt's bitmap reader reports a top-down bitmap
// (stored with a negative height) as that negative height.
QSize header_size(QImageReader &r)
{
    QSize s = r.size();
    if (s.width() > 0 && s.height() < 0 && r.format() == "bmp")
        s.setHeight(-s.height());
    return s;
}

// In place where the format allows, so a recycled buffer stays recycled.
// A profile Qt cannot use (grey, CMYK) leaves the numbers as they are.
void to_srgb(QImage &img)
{
    const QColorSpace cs = img.colorSpace();
    if (!cs.isValid() || cs == QColorSpace(QColorSpace::SRgb))
        return;
    img.convertToColorSpace(QColorSpace::SRgb);
}

} // namespace

QSize picture_size(const QString &path)
{
    QImageReader r(path);
    configure(r);
    if (!shown_format(r.format()))
        return {};
    QSize s = header_size(r);
    if (!s.isValid() || qint64(s.width()) * s.height() > max_picture_pixels)
        return {};
    if (transposed(r))
        s.transpose();
    return s;
}

QImage load_picture(const QString &path, QSize fit, PictureColours colours)
{
    QImage img;
    if (!load_picture_into(path, img, fit, colours))
        return {};
    return img;
}

bool load_picture_into(const QString &path, QImage &buffer, QSize fit, PictureColours colours)
{
    QImageReader r(path);
    configure(r);
    const QByteArray format = r.format();
    if (!shown_format(format))
        return false;
    const QSize natural = header_size(r);
    // Every reader of these formats knows the size from the header; one that
    // does not cannot be bounded, so it is not decoded.
    if (!natural.isValid() || natural.isEmpty())
        return false;
    if (qint64(natural.width()) * natural.height() > max_picture_pixels)
        return false;
    if (format == "jpeg" && !jpeg_file_complete(path))
        return false;
    if (fit.isValid() && !fit.isEmpty()) {
        // The reader scales before the EXIF rotation is applied.
        const bool turn = transposed(r);
        QSize upright = turn ? natural.transposed() : natural;
        if (upright.width() > fit.width() || upright.height() > fit.height()) {
            upright = upright.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            r.setScaledSize(turn ? upright.transposed() : upright);
        }
    }
    if (!r.read(&buffer) || buffer.isNull())
        return false;
    if (colours == PictureColours::ForDisplay)
        to_srgb(buffer);
    return true;
}

} // namespace lf
