#include "viewer/picture_decoder.h"

#include "test_env.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

using namespace lf;

class tst_picture_decoder : public QObject {
    Q_OBJECT
    QString photo;

    // Every worker done and every finished signal delivered.
    static void settle()
    {
        QThreadPool::globalInstance()->waitForDone();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        photo = test::fresh_folder(QStringLiteral("dec")) + QStringLiteral("/p.jpg");
        QImage img(600, 400, QImage::Format_RGB32);
        img.fill(QColor(30, 120, 200));
        QVERIFY(QImageWriter(photo, "jpeg").write(img));
    }

    void decodes_full_and_fitted()
    {
        PictureDecoder d;
        QSignalSpy spy(&d, &PictureDecoder::decoded);
        const quint64 full = d.request(photo);
        QVERIFY(d.busy());
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toULongLong(), full);
        QCOMPARE(spy[0][1].toString(), photo);
        QCOMPARE(spy[0][2].value<QImage>().size(), QSize(600, 400));
        QVERIFY(!d.busy());

        const quint64 fitted = d.request(photo, QSize(60, 60));
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy[1][0].toULongLong(), fitted);
        QCOMPARE(spy[1][2].value<QImage>().size(), QSize(60, 40));
    }

    void late_results_are_dropped()
    {
        PictureDecoder d;
        QSignalSpy spy(&d, &PictureDecoder::decoded);
        d.request(photo);
        const quint64 second = d.request(photo, QSize(30, 30));
        settle();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toULongLong(), second);
        QCOMPARE(spy[0][2].value<QImage>().size(), QSize(30, 20));

        d.request(photo);
        d.cancel();
        settle();
        QCOMPARE(spy.size(), 1);
        QVERIFY(!d.busy());
    }

    void unreadable_file_gives_null()
    {
        const QString bad = QFileInfo(photo).path() + QStringLiteral("/bad.jpg");
        test::write_file(bad, "not a picture");
        PictureDecoder d;
        QSignalSpy spy(&d, &PictureDecoder::decoded);
        d.request(bad);
        QTRY_COMPARE(spy.size(), 1);
        QVERIFY(spy[0][2].value<QImage>().isNull());
    }

    void recycled_buffer_is_reused()
    {
        QImage old(600, 400, QImage::Format_RGB32);
        old.fill(Qt::black);
        const uchar *memory = old.constBits();
        PictureDecoder d;
        QSignalSpy spy(&d, &PictureDecoder::decoded);
        d.recycle(std::move(old));
        d.request(photo);
        QTRY_COMPARE(spy.size(), 1);
        const QImage got = spy[0][2].value<QImage>();
        QCOMPARE(got.constBits(), memory);
        QCOMPARE(got.pixelColor(300, 200).blue() > 150, true);
    }
};

QTEST_GUILESS_MAIN(tst_picture_decoder)
#include "tst_picture_decoder.moc"
