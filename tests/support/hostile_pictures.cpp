// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostile_pictures.h"

#include "test_env.h"

#include <QDataStream>
#include <QDir>
#include <QTransform>
#include <QtEndian>

#include <cstdlib>

namespace lf::test {
namespace {

// An APP1 Exif segment whose only tag is the orientation (little-endian TIFF).
QByteArray exif_orientation_segment(int orientation)
{
    QByteArray seg = QByteArray::fromHex("ffe10022457869660000" "49492a0008000000"
                                         "010012010300010000000000000000000000");
    seg[28] = char(orientation);
    return seg;
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

// The frame header's size fields set to width x height. Qt writes a baseline
// frame, and no 0xFF byte comes before it but in markers.
QByteArray jpeg_claiming(QByteArray jpeg, quint16 width, quint16 height)
{
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    if (sof < 0)
        qFatal("no baseline frame header");
    qToBigEndian<quint16>(height, jpeg.data() + sof + 5);
    qToBigEndian<quint16>(width, jpeg.data() + sof + 7);
    return jpeg;
}

// A global table of 2 colours.
QByteArray gif_header(quint16 width, quint16 height)
{
    QByteArray g = QByteArray::fromHex("47494638396100000000800000ff00000000ff");
    qToLittleEndian<quint16>(width, g.data() + 6);
    qToLittleEndian<quint16>(height, g.data() + 8);
    return g;
}

// One image of w x h at 0,0 whose data is the minimal one-pixel stream.
QByteArray gif_frame(quint16 w, quint16 h)
{
    // 1/100 s, then the image descriptor at 0,0.
    QByteArray f = QByteArray::fromHex("21f9040001000000" "2c000000000000000000" "0202440100");
    qToLittleEndian<quint16>(w, f.data() + 13);
    qToLittleEndian<quint16>(h, f.data() + 15);
    return f;
}

QByteArray bmp(qint32 width, qint32 height, quint16 bits, quint32 colors_used, const QByteArray &after)
{
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint16(0x4d42) << quint32(54 + after.size()) << quint32(0) << quint32(54) << quint32(40) << width << height
      << quint16(1) << bits << quint32(0) << quint32(0) << qint32(0) << qint32(0) << colors_used << quint32(0);
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

const QColor quadrant_colors[4] = {Qt::red, Qt::green, Qt::blue, Qt::white};

// The upright test picture: red, green / blue, white quadrants.
QImage quadrant_picture(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixelColor(x, y, quadrant_colors[(y >= height / 2) * 2 + (x >= width / 2)]);
    return img;
}

} // namespace

bool has_upright_quadrants(const QImage &img)
{
    if (img.isNull())
        return false;
    for (int i = 0; i < 4; ++i) {
        const QColor got = img.pixelColor((i % 2 * 2 + 1) * img.width() / 4, (i / 2 * 2 + 1) * img.height() / 4);
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
    auto add = [&](const QString &name, const QByteArray &bytes, QSize upright = {}, bool quadrants = false,
                   QSize at_most = {}) { all.append({name, bytes, upright, quadrants, at_most}); };
    const QImage up = quadrant_picture(48, 32);
    const QSize s = up.size();
    const QByteArray jpeg = encode(up, "jpeg"), png = encode(up, "png"), bmp24 = encode(up, "bmp");
    const QByteArray gif = gif_header(48, 32) + gif_frame(48, 32) + ";";

    for (const char *ext : {"jpg", "gif", "bmp"})
        add(QString("zero.") + ext, {});
    add("third.jpg", jpeg.left(jpeg.size() / 3));
    add("no_end.jpg", jpeg.left(jpeg.size() - 2));
    add("trailer.jpg", jpeg + QByteArray(5000, 'z'), s, true);
    add("third.bmp", bmp24.left(bmp24.size() / 3), {}, false, s);
    add("third.gif", gif.left(gif.size() / 3), {}, false, s);

    add("png_named.jpg", png);
    add("text_named.bmp", "BM but not a bitmap\n");
    add("garbage_named.gif", QByteArray("GIF89a\xff\xff", 8));
    // The content decides: a JPEG under a .gif name is still that JPEG.
    add("jpeg_named.gif", jpeg, s, true);

    const QByteArray pixels(64, '\x7f');
    for (const auto &[name, w, h] : {std::tuple{"65535_square", 65535, 65535}, {"2p31", 65535, 32769}}) {
        add(QString("claims_%1.jpg").arg(name), jpeg_claiming(jpeg, w, h));
        add(QString("claims_%1.gif").arg(name), gif_header(w, h) + gif_frame(w, h) + ";");
    }
    add("claims_65535_square.bmp", bmp(65535, 65535, 24, 0, pixels));
    add("claims_2p31.bmp", bmp(65536, 32768, 24, 0, pixels));
    add("claims_2p31_negative.bmp", bmp(65536, -32768, 24, 0, pixels));
    add("palette_2p30.bmp", bmp(16, 16, 8, 1u << 30, QByteArray(1024, '\0')));

    QByteArray frames = gif_header(2, 2);
    for (int i = 0; i < 10000; ++i)
        frames += gif_frame(1, 1);
    add("frames_10000.gif", frames + ";", QSize(2, 2));

    add("plain.jpg", jpeg, s, true);
    add("plain.bmp", bmp24, s, true);
    add("plain.gif", gif, s);
    add("top_down.bmp", top_down(bmp24, s.height()), s, true);
    add("progressive.jpg", encode(up, "jpeg", true), s, true);
    for (int n = 1; n <= 8; ++n) {
        const QByteArray stored = encode(stored_for(up, n), "jpeg");
        add(QString("orientation_%1.jpg").arg(n), stored.left(2) + exif_orientation_segment(n) + stored.mid(2), s,
            true);
    }
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
