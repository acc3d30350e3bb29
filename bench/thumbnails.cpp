// Times a full sheet of 28 thumbnails from 6000 x 4000 JPEGs beside
// vipsthumbnail, and a picture search over 100,000 entries beside find.
#include "panel/picture_search.h"
#include "thumbs/thumbnail_drawer.h"
#include "thumbs/thumbnail_sheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

using namespace lf;

namespace {

QStringList make_photos(const QString &dir)
{
    QDir().mkpath(dir);
    QStringList out;
    QImage img;
    for (int i = 0; i < 28; ++i) {
        const QString p = dir + QStringLiteral("/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        out << p;
        if (QFile::exists(p))
            continue;
        if (img.isNull()) {
            img = QImage(6000, 4000, QImage::Format_RGB32);
            QPainter g(&img);
            QLinearGradient grad(0, 0, 6000, 4000);
            grad.setColorAt(0, Qt::darkBlue);
            grad.setColorAt(1, Qt::yellow);
            g.fillRect(img.rect(), grad);
            for (int k = 0; k < 400; ++k)
                g.fillRect((k * 997) % 6000, (k * 631) % 4000, 120, 80, QColor::fromHsv((k * 37) % 360, 200, 220));
        }
        img.save(p, "JPG", 90);
    }
    return out;
}

double sheet_ms(const QStringList &photos)
{
    ThumbnailDrawer d;
    d.set_sheet(photos, SheetLayout::make(15360, 7, 120, 405));
    QEventLoop loop;
    QObject::connect(&d, &ThumbnailDrawer::completed, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    d.display();
    if (d.drawing())
        loop.exec();
    return double(t.nsecsElapsed()) / 1e6;
}

double run_ms(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    p.waitForFinished(-1);
    return double(t.nsecsElapsed()) / 1e6;
}

void make_tree(const QString &root)
{
    if (QFile::exists(root + QStringLiteral("/done")))
        return;
    // 1000 folders of 99 files: 100,000 entries with the folders.
    for (int d = 0; d < 1000; ++d) {
        const QString dir = root + QStringLiteral("/d%1/e%2").arg(d / 100).arg(d);
        QDir().mkpath(dir);
        for (int f = 0; f < 99; ++f) {
            QFile file(dir + (f % 3 ? QStringLiteral("/pic%1.jpg") : QStringLiteral("/doc%1.txt")).arg(f));
            file.open(QIODevice::WriteOnly);
        }
    }
    QFile(root + QStringLiteral("/done")).open(QIODevice::WriteOnly);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = QDir::tempPath() + QStringLiteral("/lumenfolio-bench");

    const QStringList photos = make_photos(base + QStringLiteral("/photos"));
    sheet_ms(photos.mid(0, 2)); // warm the thread pool and the file cache
    const double ours = sheet_ms(photos);
    std::printf("sheet of 28 thumbnails (6000 x 4000): %.0f ms\n", ours);
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty()) {
        std::printf("vipsthumbnail: not installed (apt package libvips-tools)\n");
    } else {
        const QString out = base + QStringLiteral("/vips");
        QDir().mkpath(out);
        QStringList args{QStringLiteral("-s"), QStringLiteral("134"), QStringLiteral("-o"), out + QStringLiteral("/%s.jpg")};
        const double v = run_ms(vips, args + photos);
        std::printf("vipsthumbnail over the same files: %.0f ms, ratio %.2f (target <= 1.5)\n", v, ours / v);
    }

    const QString tree = base + QStringLiteral("/tree");
    make_tree(tree);
    run_ms(QStringLiteral("find"), {tree}); // warm the directory cache
    QElapsedTimer t;
    t.start();
    PictureSearch s(tree, SearchFields{QStringLiteral("pic1"), {}, {}, true});
    while (s.step(50)) {
    }
    const double search = double(t.nsecsElapsed()) / 1e6;
    std::printf("search over %lld entries: %.0f ms (%lld found)\n", s.entries_searched(), search,
                qint64(s.found().size()));
    const double f = run_ms(QStringLiteral("find"),
                            {tree, QStringLiteral("-ipath"), QStringLiteral("*pic1*"), QStringLiteral("("),
                             QStringLiteral("-iname"), QStringLiteral("*.jpg"), QStringLiteral("-o"),
                             QStringLiteral("-iname"), QStringLiteral("*.gif"), QStringLiteral("-o"),
                             QStringLiteral("-iname"), QStringLiteral("*.bmp"), QStringLiteral(")")});
    std::printf("find over the same tree: %.0f ms, ratio %.2f (target <= 2)\n", f, search / f);
    return 0;
}
