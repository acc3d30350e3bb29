// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostile_pictures.h"

#include "test_env.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTransform>
#include <QtEndian>

#include <cstdlib>

namespace lf::test {
namespace {

QByteArray encode(const QImage &img, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, format);
    w.setQuality(95);
    w.setProgressiveScanWrite(progressive);
    w.write(img);
    return bytes;
}

// An APP1 Exif segment whose only tag is the orientation.
QByteArray exif_orientation_segment(int orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    QByteArray ifd(2 + 12 + 4, '\0');
    qToLittleEndian<quint16>(1, ifd.data());
    qToLittleEndian<quint16>(0x0112, ifd.data() + 2);
    qToLittleEndian<quint16>(3, ifd.data() + 4); // SHORT
    qToLittleEndian<quint32>(1, ifd.data() + 6);
    qToLittleEndian<quint16>(quint16(orientation), ifd.data() + 10);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff + ifd;
    QByteArray seg("\xFF\xE1", 2);
    seg.append(char((body.size() + 2) >> 8));
    seg.append(char((body.size() + 2) & 0xFF));
    return seg + body;
}

// The stored picture that, turned by the EXIF orientation n, shows `up`:
// the inverse of the turn.
QImage stored_for(const QImage &up, int n)
{
    const QImage turned = up.transformed(QTransform().rotate(n == 6 ? -90 : 90));
    switch (n) {
    case 2: return up.mirrored(true, false);
    case 3: return up.mirrored(true, true);
    case 4: return up.mirrored(false, true);
    case 5: return turned.mirrored(true, false); // transposed
    case 7: return turned.mirrored(false, true); // transversed
    case 6: case 8: return turned;
    default: return up;
    }
}

QByteArray with_exif(const QByteArray &jpeg, int orientation)
{
    return jpeg.left(2) + exif_orientation_segment(orientation) + jpeg.mid(2);
}

// The first SOF segment's size fields set to width x height.
QByteArray jpeg_claiming(QByteArray jpeg, quint16 width, quint16 height)
{
    for (int i = 2; i + 9 < jpeg.size();) {
        if (uchar(jpeg[i]) != 0xFF) {
            ++i;
            continue;
        }
        const uchar m = uchar(jpeg[i + 1]);
        if (m >= 0xC0 && m <= 0xC2) {
            qToBigEndian<quint16>(height, jpeg.data() + i + 5);
            qToBigEndian<quint16>(width, jpeg.data() + i + 7);
            break;
        }
        i += 2 + ((uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]));
    }
    return jpeg;
}

QByteArray gif_header(quint16 width, quint16 height)
{
    QByteArray g("GIF89a", 6);
    QByteArray screen(7, '\0');
    qToLittleEndian<quint16>(width, screen.data());
    qToLittleEndian<quint16>(height, screen.data() + 2);
    screen[4] = char(0x80); // global table of 2 colours
    g += screen;
    g += QByteArray("\xff\x00\x00\x00\x00\xff", 6);
    return g;
}

// One image of w x h at 0,0 whose data is the minimal one-pixel stream.
QByteArray gif_frame(quint16 w, quint16 h)
{
    QByteArray f("!\xf9\x04\x00\x01\x00\x00\x00", 8); // 1/100 s
    QByteArray d(10, '\0');
    d[0] = ',';
    qToLittleEndian<quint16>(w, d.data() + 5);
    qToLittleEndian<quint16>(h, d.data() + 7);
    f += d;
    f += QByteArray("\x02\x02\x44\x01\x00", 5);
    return f;
}

QByteArray bmp(qint32 width, qint32 height, quint16 bits, quint32 colors_used,
               const QByteArray &after)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(quint32(54 + after.size()), b.data() + 2);
    qToLittleEndian<quint32>(54, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(width, b.data() + 18);
    qToLittleEndian<qint32>(height, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(bits, b.data() + 28);
    qToLittleEndian<quint32>(colors_used, b.data() + 46);
    return b + after;
}

// The bitmap written bottom-up stored top-down: rows reversed, height negative.
QByteArray top_down(const QByteArray &bottom_up, int h)
{
    const int stride = int(bottom_up.size() - 54) / h;
    QByteArray b = bottom_up.left(54);
    qToLittleEndian<qint32>(-h, b.data() + 22);
    for (int y = h - 1; y >= 0; --y)
        b += bottom_up.mid(54 + y * stride, stride);
    return b;
}

void add(QList<HostilePicture> &all, const QString &name, const QByteArray &bytes,
         QSize upright = {}, bool quadrants = false, QSize at_most = {})
{
    all.append(HostilePicture{name, bytes, upright, quadrants, at_most});
}

} // namespace

QImage quadrant_picture(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixelColor(x, y, quadrant_colors[(y >= height / 2) * 2 + (x >= width / 2)]);
    return img;
}

bool has_upright_quadrants(const QImage &img)
{
    if (img.isNull())
        return false;
    const int w = img.width(), h = img.height();
    const QPoint centres[4] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4},
                               {3 * w / 4, 3 * h / 4}};
    for (int i = 0; i < 4; ++i) {
        const QColor got = img.pixelColor(centres[i]);
        const QColor want = quadrant_colors[i];
        if (std::abs(got.red() - want.red()) > 60 || std::abs(got.green() - want.green()) > 60
            || std::abs(got.blue() - want.blue()) > 60)
            return false;
    }
    return true;
}

QList<HostilePicture> hostile_pictures()
{
    QList<HostilePicture> all;
    const QImage up = quadrant_picture(48, 32);
    const QByteArray jpeg = encode(up, "jpeg");
    const QByteArray png = encode(up, "png");
    const QByteArray bmp24 = encode(up, "bmp");
    QByteArray gif = gif_header(48, 32);
    gif += gif_frame(48, 32) + ";";

    for (const char *ext : {"jpg", "gif", "bmp"})
        add(all, QStringLiteral("zero.%1").arg(QLatin1String(ext)), {});
    add(all, QStringLiteral("third.jpg"), jpeg.left(jpeg.size() / 3), {});
    add(all, QStringLiteral("no_end.jpg"), jpeg.left(jpeg.size() - 2), {});
    add(all, QStringLiteral("trailer.jpg"), jpeg + QByteArray(5000, 'z'), up.size(), true);
    add(all, QStringLiteral("third.bmp"), bmp24.left(bmp24.size() / 3), {}, false, up.size());
    add(all, QStringLiteral("third.gif"), gif.left(gif.size() / 3), {}, false, up.size());

    add(all, QStringLiteral("png_named.jpg"), png, {});
    add(all, QStringLiteral("text_named.bmp"), QByteArray("BM but not a bitmap\n"), {});
    add(all, QStringLiteral("garbage_named.gif"), QByteArray("GIF89a\xff\xff", 8), {});
    // The content decides: a JPEG under a .gif name is still that JPEG.
    add(all, QStringLiteral("jpeg_named.gif"), jpeg, up.size(), true);

    add(all, QStringLiteral("claims_65535_square.jpg"), jpeg_claiming(jpeg, 65535, 65535), {});
    add(all, QStringLiteral("claims_2p31.jpg"), jpeg_claiming(jpeg, 65535, 32769), {});
    add(all, QStringLiteral("claims_65535_square.gif"),
                gif_header(65535, 65535) + gif_frame(65535, 65535) + ";", {});
    add(all, QStringLiteral("claims_2p31.gif"),
                gif_header(65535, 32769) + gif_frame(65535, 32769) + ";", {});
    add(all, QStringLiteral("claims_65535_square.bmp"),
                bmp(65535, 65535, 24, 0, QByteArray(64, '\x7f')), {});
    add(all, QStringLiteral("claims_2p31.bmp"), bmp(65536, 32768, 24, 0, QByteArray(64, '\x7f')), {});
    add(all, QStringLiteral("claims_2p31_negative.bmp"),
                bmp(65536, -32768, 24, 0, QByteArray(64, '\x7f')), {});
    add(all, QStringLiteral("palette_2p30.bmp"), bmp(16, 16, 8, 1u << 30, QByteArray(1024, '\0')), {});

    QByteArray frames = gif_header(2, 2);
    for (int i = 0; i < 10000; ++i)
        frames += gif_frame(1, 1);
    frames += ";";
    add(all, QStringLiteral("frames_10000.gif"), frames, QSize(2, 2));

    add(all, QStringLiteral("plain.jpg"), jpeg, up.size(), true);
    add(all, QStringLiteral("plain.bmp"), bmp24, up.size(), true);
    add(all, QStringLiteral("plain.gif"), gif, up.size());
    add(all, QStringLiteral("top_down.bmp"), top_down(bmp24, up.height()), up.size(), true);
    add(all, QStringLiteral("progressive.jpg"), encode(up, "jpeg", true), up.size(), true);
    for (int n = 1; n <= 8; ++n)
        add(all, QStringLiteral("orientation_%1.jpg").arg(n), with_exif(encode(stored_for(up, n), "jpeg"), n),
                    up.size(), true);
    return all;
}

QStringList write_hostile_pictures(const QString &folder)
{
    QStringList paths;
    QDir().mkpath(folder);
    for (const HostilePicture &p : hostile_pictures()) {
        const QString path = folder + QLatin1Char('/') + p.name;
        write_file(path, p.bytes);
        paths << path;
    }
    return paths;
}

} // namespace lf::test
