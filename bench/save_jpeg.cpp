// SPDX-License-Identifier: GPL-3.0-or-later
// savejpg-24mp: SaveJPG of a 6000 x 4000 bitmap at quality 80, beside
// cjpeg -quality 80 of the same pixels (the PPM cjpeg reads is written once,
// beforehand, and read from the file cache).
#include "bench_util.h"

#include "viewer/cDIBSection.h"
#include "viewer/mTurboJPEGLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace lf;

namespace {

void fill(cDIBSection &d)
{
    // A photo-like mix of smooth areas and fine detail.
    quint32 s = 2463534242u;
    for (int y = 0; y < d.Height(); ++y) {
        uchar *row = d.DIBSectionBitsPtr() + qsizetype(y) * d.BytesPerScanLine();
        for (int x = 0; x < d.Width(); ++x) {
            s ^= s << 13;
            s ^= s >> 17;
            s ^= s << 5;
            const int n = int(s & 31);
            row[x * 3 + 0] = uchar((x / 24 + n) & 255);
            row[x * 3 + 1] = uchar((y / 16 + n) & 255);
            row[x * 3 + 2] = uchar(((x + y) / 40 + n) & 255);
        }
    }
}

bool write_ppm(const cDIBSection &d, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QStringLiteral("P6\n%1 %2\n255\n").arg(d.Width()).arg(d.Height()).toLatin1());
    QByteArray row(d.Width() * 3, Qt::Uninitialized);
    for (int y = 0; y < d.Height(); ++y) {
        const uchar *src = d.DIBSectionBitsPtr() + qsizetype(y) * d.BytesPerScanLine();
        for (int x = 0; x < d.Width(); ++x) {
            row[x * 3 + 0] = char(src[x * 3 + 2]);
            row[x * 3 + 1] = char(src[x * 3 + 1]);
            row[x * 3 + 2] = char(src[x * 3 + 0]);
        }
        f.write(row);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int w = 6000, h = 4000, quality = 80;
    QTemporaryDir tmp;
    cDIBSection dib;
    if (!tmp.isValid() || !dib.Create(w, h)) {
        std::fprintf(stderr, "cannot make the bitmap\n");
        return 1;
    }
    fill(dib);
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty()) {
        std::fprintf(stderr, "cjpeg is not installed (package libjpeg-turbo-progs)\n");
        return 1;
    }
    const QString ours = tmp.filePath(QStringLiteral("ours.jpg"));
    const QString ppm = tmp.filePath(QStringLiteral("same.ppm"));
    const QString theirs = tmp.filePath(QStringLiteral("cjpeg.jpg"));
    write_ppm(dib, ppm);
    const QStringList args{QStringLiteral("-quality"), QString::number(quality),
                           QStringLiteral("-outfile"), theirs, ppm};
    const auto [ours_ms, their_ms] = bench::alternate(
        [&] { return bench::ms_of([&] { SaveJPG(dib, ours, quality); }); },
        [&] { return bench::ms_of([&] { QProcess::execute(cjpeg, args); }); });
    std::printf("  (%lld bytes ours, %lld bytes cjpeg)\n", QFileInfo(ours).size(),
                QFileInfo(theirs).size());
    bench::report("savejpg-24mp", "cjpeg", ours_ms, their_ms);
    return 0;
}
