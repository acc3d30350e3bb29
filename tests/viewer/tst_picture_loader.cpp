// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_loader.h"

#include "test_env.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <QtTest>

using namespace lf;

namespace {

QByteArray encoded(const QImage &img, const char *format,
                   QImageIOHandler::Transformations t = QImageIOHandler::TransformationNone)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, format);
    w.setTransformation(t);
    w.write(img);
    return bytes;
}

QImage picture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 40, 40));
    return img;
}

// A bitmap header that claims width x height pixels, with no pixels after it.
QByteArray forged_bmp(qint32 width, qint32 height)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(54 + 16, b.data() + 2);
    qToLittleEndian<quint32>(54, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(width, b.data() + 18);
    qToLittleEndian<qint32>(height, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(24, b.data() + 28);
    return b + QByteArray(16, '\x7f');
}

} // namespace

class tst_picture_loader : public QObject {
    Q_OBJECT
    QString dir;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("pics"));
    }

    void good_pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpeg") << "a.jpg" << encoded(picture(300, 200), "jpeg") << QSize(300, 200);
        // Qt writes no GIF: the smallest one by hand, 1 x 1 pixel.
        QTest::newRow("gif") << "a.gif"
                             << QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                                           "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00"
                                           "\x01\x00\x00\x02\x02D\x01\x00;", 43)
                             << QSize(1, 1);
        QTest::newRow("bmp") << "a.bmp" << encoded(picture(31, 17), "bmp") << QSize(31, 17);
        // A camera held upright: stored 300 x 200, shown 200 x 300.
        QTest::newRow("portrait by orientation")
            << "p.jpg" << encoded(picture(300, 200), "jpeg", QImageIOHandler::TransformationRotate90)
            << QSize(200, 300);
        QTest::newRow("jpeg named .gif") << "j.gif" << encoded(picture(40, 30), "jpeg") << QSize(40, 30);
        QTest::newRow("upper-case name") << "B.JPG" << encoded(picture(8, 9), "jpeg") << QSize(8, 9);
    }
    void good_pictures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = dir + QLatin1Char('/') + name;
        test::write_file(path, bytes);
        QTEST(picture_size(path), "size");
        QTEST(load_picture(path).size(), "size");
    }

    void decoding_to_a_fit_keeps_the_upright_ratio()
    {
        const QString path = dir + QStringLiteral("/p.jpg");
        test::write_file(path, encoded(picture(600, 400), "jpeg",
                                       QImageIOHandler::TransformationRotate90));
        QCOMPARE(load_picture(path, QSize(100, 100)).size(), QSize(66, 100));
    }

    void bad_files_give_nothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = encoded(picture(640, 480), "jpeg");
        QTest::newRow("zero bytes") << "z.jpg" << QByteArray();
        QTest::newRow("truncated jpeg") << "t.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("jpeg without its end") << "e.jpg" << jpeg.left(jpeg.size() - 2);
        QTest::newRow("header only") << "h.jpg" << jpeg.left(300);
        QTest::newRow("png named .gif") << "p.gif" << encoded(picture(20, 20), "png");
        QTest::newRow("forged 60000 x 60000 bmp") << "f.bmp" << forged_bmp(60000, 60000);
        QTest::newRow("forged 20000 x 20000 bmp") << "g.bmp" << forged_bmp(20000, 20000);
        QTest::newRow("text") << "x.bmp" << QByteArray("hello, this is not a picture");
    }
    void bad_files_give_nothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = dir + QLatin1Char('/') + name;
        test::write_file(path, bytes);
        QVERIFY(load_picture(path).isNull());
        QVERIFY(load_picture(path, QSize(50, 50)).isNull());
    }

    void missing_files_and_folders_give_nothing()
    {
        QVERIFY(load_picture(dir + QStringLiteral("/none.jpg")).isNull());
        QVERIFY(!picture_size(dir + QStringLiteral("/none.jpg")).isValid());
        QDir().mkpath(dir + QStringLiteral("/folder.jpg"));
        QVERIFY(load_picture(dir + QStringLiteral("/folder.jpg")).isNull());
        QVERIFY(load_picture(QString()).isNull());
    }

    // Reference values: Display P3 and Adobe RGB (200, 50, 30) in sRGB.
    void profiles_are_shown_in_srgb_and_kept_as_stored_data()
    {
        QTest::addColumn<QColorSpace>("profile");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("none") << QColorSpace() << QColor(200, 50, 30);
        QTest::newRow("sRGB") << QColorSpace(QColorSpace::SRgb) << QColor(200, 50, 30);
        QTest::newRow("Display P3") << QColorSpace(QColorSpace::DisplayP3) << QColor(219, 23, 3);
        QTest::newRow("Adobe RGB") << QColorSpace(QColorSpace::AdobeRgb) << QColor(233, 46, 23);
    }
    void profiles_are_shown_in_srgb_and_kept_as_stored()
    {
        QFETCH(QColorSpace, profile);
        QFETCH(QColor, shown);
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(QColor(200, 50, 30));
        img.setColorSpace(profile);
        const QString path = dir + QStringLiteral("/c.jpg");
        QVERIFY(img.save(path, "JPEG", 100));
        auto near = [](QRgb got, QColor want) {
            return qAbs(qRed(got) - want.red()) <= 3 && qAbs(qGreen(got) - want.green()) <= 3
                && qAbs(qBlue(got) - want.blue()) <= 3;
        };
        for (const QSize fit : {QSize(), QSize(32, 24)}) {
            const QImage display = load_picture(path, fit);
            QVERIFY2(near(display.pixel(10, 10), shown), qPrintable(QString::number(display.pixel(10, 10), 16)));
            const QImage stored = load_picture(path, fit, PictureColours::AsStored);
            QVERIFY(near(stored.pixel(10, 10), QColor(200, 50, 30)));
            QCOMPARE(stored.colorSpace(), profile);
        }
    }

    void a_jpeg_with_data_after_its_end_still_opens()
    {
        const QString path = dir + QStringLiteral("/trailer.jpg");
        test::write_file(path, encoded(picture(64, 48), "jpeg") + QByteArray(5000, 'z'));
        QCOMPARE(load_picture(path).size(), QSize(64, 48));
    }

    void progressive_and_restart_markers_reach_the_end()
    {
        QImage img(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, qRgb(x & 255, (x * y) & 255, y & 255));
        QByteArray bytes;
        QBuffer b(&bytes);
        b.open(QIODevice::WriteOnly);
        QImageWriter w(&b, "jpeg");
        w.setProgressiveScanWrite(true);
        w.setQuality(100);
        QVERIFY(w.write(img));
        const QString path = dir + QStringLiteral("/prog.jpg");
        test::write_file(path, bytes);
        QCOMPARE(load_picture(path).size(), QSize(320, 240));
    }
};

QTEST_GUILESS_MAIN(tst_picture_loader)
#include "tst_picture_loader.moc"
