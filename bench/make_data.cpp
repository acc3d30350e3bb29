// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmark data into one folder: camera-like JPEGs of 24 MP and
// 2 MP, baseline and progressive; 28 photos for a thumbnail sheet; 6 + 6
// photos for slide show steps; tinted photos for the comparisons timed on
// the screen; and a tree of 100,000 files in 2,000 folders
// of which 10,000 are pictures. What exists already is kept.
// Usage: bench_make_data <folder>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

namespace {

// Smooth light, a few soft shapes, fine texture and sensor noise: what makes
// a camera JPEG of 6000 x 4000 about 4 MB at quality 90.
std::vector<unsigned char> photo_pixels(int w, int h, unsigned seed)
{
    std::vector<unsigned char> rgb(size_t(w) * h * 3);
    quint32 s = 2463534242u ^ seed;
    const double fx = 6.2831853 / w, fy = 6.2831853 / h;
    for (int y = 0; y < h; ++y) {
        unsigned char *row = rgb.data() + size_t(y) * w * 3;
        const double sy = std::sin(y * fy * (2 + seed % 3));
        for (int x = 0; x < w; ++x) {
            s ^= s << 13;
            s ^= s >> 17;
            s ^= s << 5;
            const int noise = int(s % 13) - 6;
            const double light = 0.5 + 0.25 * std::sin(x * fx * 1.5 + seed) + 0.25 * sy;
            const int texture = int(18 * std::sin(x * 0.11 + y * 0.07) * std::sin(y * 0.05));
            const int base = int(40 + 170 * light) + texture + noise;
            row[x * 3 + 0] = (unsigned char)std::clamp(base + int(30 * std::sin(y * fy * 3)), 0, 255);
            row[x * 3 + 1] = (unsigned char)std::clamp(base - 10 + noise, 0, 255);
            row[x * 3 + 2] = (unsigned char)std::clamp(int(220 - 120 * light) + texture / 2 + noise, 0, 255);
        }
    }
    return rgb;
}

// The same light and texture under one strong hue (0 red, 1 green, 2
// yellow), with sensor noise in every channel, so that the file is as large
// and as costly to decode as a camera photo; the screen watcher
// (screen_watch.h) recognises the hue anywhere on the screen.
std::vector<unsigned char> tinted_pixels(int w, int h, unsigned seed, int hue)
{
    std::vector<unsigned char> rgb = photo_pixels(w, h, seed);
    quint32 s = 0x9E3779B9u ^ seed;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        const int l = (rgb[i] + rgb[i + 1]) / 2;
        for (int c = 0; c < 3; ++c) {
            s ^= s << 13;
            s ^= s >> 17;
            s ^= s << 5;
            const bool strong = c == 2 ? false : c == 0 ? hue != 1 : hue != 0;
            const int v = l * 6 / 10 + (strong ? 100 : 0) + int(s % 25) - 12;
            rgb[i + size_t(c)] = (unsigned char)std::clamp(v, 0, 255);
        }
    }
    return rgb;
}

bool write_jpeg(const QString &path, int w, int h, unsigned seed, bool progressive, int hue = -1)
{
    if (QFile::exists(path))
        return true;
    const std::vector<unsigned char> rgb = hue < 0 ? photo_pixels(w, h, seed) : tinted_pixels(w, h, seed, hue);
    tjhandle tj = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int flags = TJFLAG_FASTDCT | (progressive ? TJFLAG_PROGRESSIVE : 0);
    const bool ok = tjCompress2(tj, rgb.data(), w, 0, h, TJPF_RGB, &out, &size, TJSAMP_420, 90,
                                flags) == 0;
    tjDestroy(tj);
    if (ok) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char *>(out), qint64(size));
        std::printf("  %s: %lu bytes\n", qPrintable(path), size);
    }
    tjFree(out);
    return ok;
}

void touch(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0)
        ::close(fd);
}

// 40 folders of 49 subfolders each: 2,000 folders of 50 files, 5 of them
// pictures (empty: a scan reads names, not contents).
void make_tree(const QString &root)
{
    if (QFile::exists(root + "/ready"))
        return;
    std::printf("  tree of 100,000 files in %s\n", qPrintable(root));
    auto fill = [](const QString &dir, int serial) {
        QDir().mkpath(dir);
        const QByteArray d = QFile::encodeName(dir);
        for (int i = 0; i < 50; ++i) {
            const char *ext = i % 10 != 0 ? ".txt" : (i / 10) % 3 == 0 ? ".gif"
                                                    : (i / 10) % 3 == 1 ? ".JPG" : ".bmp";
            touch(d + "/f" + QByteArray::number((serial * 7919 + i * 31) % 100000) + "_"
                  + QByteArray::number(i) + ext);
        }
    };
    int serial = 0;
    for (int a = 0; a < 40; ++a) {
        const QString top = root + QString("/top%1").arg(a);
        fill(top, serial++);
        for (int b = 0; b < 49; ++b)
            fill(top + QString("/sub%1").arg(b), serial++);
    }
    touch(QFile::encodeName(root + "/ready"));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const char *sub : {"", "/sheet", "/slides", "/slides_progressive", "/open24", "/open24p", "/open2", "/steps"})
        QDir().mkpath(root + sub);
    bool ok = write_jpeg(root + "/photo24.jpg", 6000, 4000, 1, false)
        && write_jpeg(root + "/photo24p.jpg", 6000, 4000, 1, true)
        && write_jpeg(root + "/photo2.jpg", 1800, 1200, 2, false)
        && write_jpeg(root + "/photo2p.jpg", 1800, 1200, 2, true);
    for (int i = 0; ok && i < 28; ++i)
        ok = write_jpeg(root + QString("/sheet/photo_%1.jpg").arg(i, 2, 10, QChar('0')), 6000, 4000,
                        10 + i, false);
    for (int i = 0; ok && i < 6; ++i)
        ok = write_jpeg(root + QString("/slides/big%1.jpg").arg(i), 6000, 4000, 40 + i, false)
            && write_jpeg(root + QString("/slides_progressive/big%1.jpg").arg(i), 6000, 4000,
                          40 + i, true);
    // Timed on the screen: tinted, and each step's picture unlike the last.
    // A picture to open is alone in its folder, so the measured memory is
    // that of showing it, without the read-ahead of its neighbours.
    ok = ok && write_jpeg(root + "/open24/photo.jpg", 6000, 4000, 1, false, 0)
        && write_jpeg(root + "/open24p/photo.jpg", 6000, 4000, 1, true, 0)
        && write_jpeg(root + "/open2/photo.jpg", 1800, 1200, 2, false, 0);
    for (int i = 0; ok && i < 4; ++i)
        ok = write_jpeg(root + QString("/steps/step%1.jpg").arg(i), 6000, 4000, 60 + i, false, i % 3);
    make_tree(root + "/tree");
    return ok ? 0 : 1;
}
