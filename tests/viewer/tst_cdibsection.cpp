// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_env.h"
#include "viewer/cDIBSection.h"

#include <QPainter>
#include <QtTest>

using namespace lf;

namespace {
// A picture whose every pixel tells its own position.
QImage numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return img;
}
} // namespace

class tst_cdibsection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void rows_are_padded_to_four_bytes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("pad");
        QTest::newRow("1 px") << 1 << 4 << 1;
        QTest::newRow("2 px") << 2 << 8 << 2;
        QTest::newRow("3 px") << 3 << 12 << 3;
        QTest::newRow("4 px") << 4 << 12 << 0;
        QTest::newRow("5 px") << 5 << 16 << 1;
        QTest::newRow("6000 px") << 6000 << 18000 << 0;
    }
    void rows_are_padded_to_four_bytes()
    {
        QFETCH(int, width);
        QFETCH(int, bytes);
        QFETCH(int, pad);
        cDIBSection d;
        QVERIFY(d.Create(width, 3));
        QCOMPARE(d.BytesPerScanLine(), bytes);
        QCOMPARE(d.BytesPerScanLine() - d.Width() * 3, pad);
        QCOMPARE(d.hdc().bytesPerLine(), bytes);
        // The surface is the memory itself, not a copy of it.
        QCOMPARE(d.hdc().constBits(), d.DIBSectionBitsPtr());
        // Pad bytes start zeroed and the whole bitmap starts black.
        for (int y = 0; y < 3; ++y)
            for (int i = 0; i < bytes; ++i)
                QCOMPARE(int(d.DIBSectionBitsPtr()[y * bytes + i]), 0);
    }

    void impossible_sizes_leave_it_empty_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::newRow("zero width") << 0 << 10;
        QTest::newRow("negative height") << 10 << -1;
        QTest::newRow("beyond memory") << 100000 << 100000;
    }
    void impossible_sizes_leave_it_empty()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        cDIBSection d;
        QVERIFY(d.Create(4, 4));
        QVERIFY(!d.Create(w, h));
        QVERIFY(d.isNull());
        QCOMPARE(d.Width(), 0);
        QVERIFY(d.hdc().isNull());
        QVERIFY(!d.DIBSectionBitsPtr());
    }

    void pixels_are_blue_green_red()
    {
        QImage img(2, 1, QImage::Format_RGB32);
        img.setPixel(0, 0, qRgb(10, 20, 30));
        img.setPixel(1, 0, qRgb(40, 50, 60));
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(img));
        const uchar *b = d.DIBSectionBitsPtr();
        QCOMPARE((QList<int>{b[0], b[1], b[2], b[3], b[4], b[5]}),
                 (QList<int>{30, 20, 10, 60, 50, 40}));
    }

    void drawing_on_hdc_reaches_the_bits()
    {
        cDIBSection d;
        QVERIFY(d.Create(5, 2));
        {
            QPainter p(&d.hdc());
            p.fillRect(QRect(4, 1, 1, 1), QColor(1, 2, 3));
        }
        const uchar *px = d.DIBSectionBitsPtr() + d.BytesPerScanLine() + 4 * 3;
        QCOMPARE((QList<int>{px[0], px[1], px[2]}), (QList<int>{3, 2, 1}));
    }

    void paint_with_negative_sizes_copies_everything()
    {
        const QImage src = numbered(7, 5);
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(src));
        QImage dest(7, 5, QImage::Format_RGB32);
        dest.fill(Qt::white);
        d.PaintPicture(dest, 0, 0, -1, -1);
        QCOMPARE(dest, src);
    }

    void paint_copies_a_part_without_scaling()
    {
        const QImage src = numbered(10, 8);
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(src));
        cDIBSection part;
        QVERIFY(part.Create(4, 3));
        d.PaintPicture(part.hdc(), 0, 0, 4, 3, 5, 2);
        QCOMPARE(part.hdc().convertToFormat(QImage::Format_RGB32), src.copy(5, 2, 4, 3));
        // A source reaching past the bitmap leaves the rest as it was.
        QImage dest(4, 4, QImage::Format_RGB32);
        dest.fill(Qt::white);
        d.PaintPicture(dest, 0, 0, 4, 4, 8, 6);
        QCOMPARE(dest.pixel(0, 0), src.pixel(8, 6));
        QCOMPARE(dest.pixel(1, 1), src.pixel(9, 7));
        QCOMPARE(dest.pixel(2, 2), qRgb(255, 255, 255));
    }

    void load_blt_takes_a_source_offset()
    {
        const QImage src = numbered(10, 8);
        cDIBSection d;
        QVERIFY(d.Create(4, 4));
        d.LoadPictureBlt(src, 3, 2);
        QCOMPARE(d.hdc().convertToFormat(QImage::Format_RGB32), src.copy(3, 2, 4, 4));
        // A negative offset puts the picture further in; the rest stays black.
        QVERIFY(d.Create(4, 4));
        d.LoadPictureBlt(src, -1, -2);
        const QImage got = d.hdc().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(got.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(got.pixel(1, 2), src.pixel(0, 0));
        QCOMPARE(got.pixel(3, 3), src.pixel(2, 1));
    }

    void extreme_shapes_are_held()
    {
        for (QSize s : {QSize(1, 1), QSize(1, 10000), QSize(10000, 1)}) {
            const QImage src = numbered(s.width(), s.height());
            cDIBSection d;
            QVERIFY(d.CreateFromPicture(src));
            QCOMPARE(d.hdc().convertToFormat(QImage::Format_RGB32), src);
        }
    }

    void clear_up_and_recreate()
    {
        cDIBSection d;
        QVERIFY(d.Create(3, 3));
        QVERIFY(d.Create(8, 2));
        QCOMPARE(d.Width(), 8);
        QCOMPARE(d.Height(), 2);
        QCOMPARE(d.hdc().size(), QSize(8, 2));
        d.ClearUp();
        QVERIFY(d.isNull());
        QCOMPARE(d.Height(), 0);
        QVERIFY(!d.CreateFromPicture(QImage()));
    }
};

QTEST_GUILESS_MAIN(tst_cdibsection)
#include "tst_cdibsection.moc"
