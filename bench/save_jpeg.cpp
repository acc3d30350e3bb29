// SaveJPG of a 6000 x 4000 bitmap at quality 80, beside cjpeg -quality 80
// of the same pixels (when cjpeg is installed). Prints both and the ratio.
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

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int w = 6000, h = 4000, quality = 80, runs = 5;
    QTemporaryDir tmp;
    cDIBSection dib;
    if (!tmp.isValid() || !dib.Create(w, h)) {
        std::fprintf(stderr, "cannot make the bitmap\n");
        return 1;
    }
    fill(dib);
    const QString ours = tmp.filePath(QStringLiteral("ours.jpg"));

    std::vector<double> save_ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        SaveJPG(dib, ours, quality);
        save_ms.push_back(t.nsecsElapsed() / 1e6);
    }
    const double ours_ms = median(save_ms);
    std::printf("SaveJPG %dx%d q%d: %.1f ms (median of %d), %lld bytes\n", w, h, quality, ours_ms,
                runs, QFileInfo(ours).size());

    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty()) {
        std::printf("cjpeg: not installed (package libjpeg-turbo-progs), no comparison\n");
        return 0;
    }
    const QString ppm = tmp.filePath(QStringLiteral("same.ppm"));
    const QString theirs = tmp.filePath(QStringLiteral("cjpeg.jpg"));
    write_ppm(dib, ppm);
    std::vector<double> cjpeg_ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const int rc = QProcess::execute(cjpeg, {QStringLiteral("-quality"), QString::number(quality),
                                                 QStringLiteral("-outfile"), theirs, ppm});
        cjpeg_ms.push_back(t.nsecsElapsed() / 1e6);
        if (rc != 0) {
            std::printf("cjpeg failed (%d)\n", rc);
            return 1;
        }
    }
    const double their_ms = median(cjpeg_ms);
    std::printf("cjpeg -quality %d: %.1f ms (median of %d), %lld bytes\n", quality, their_ms, runs,
                QFileInfo(theirs).size());
    std::printf("ratio SaveJPG / cjpeg: %.2f (target <= 1.20)\n", ours_ms / their_ms);
    return 0;
}
