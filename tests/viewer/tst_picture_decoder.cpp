// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_decoder.h"

#include "app/file_changes.h"
#include "fake_windows.h"
#include "test_env.h"
#include "viewer/folder_stepper.h"

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
        QFile f(photo);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
    }

    // Only the newest request's result arrives; a cancelled one never does.
    void late_results_are_dropped()
    {
        PictureDecoder d;
        QSignalSpy spy(&d, &PictureDecoder::decoded);
        d.request(photo);
        const quint64 second = d.request(photo, QSize(30, 30));
        QVERIFY(d.busy());
        settle();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toULongLong(), second);
        QCOMPARE(spy[0][1].toString(), photo);
        QCOMPARE(spy[0][2].value<QImage>().size(), QSize(30, 20));
        d.request(photo);
        d.cancel();
        settle();
        QCOMPARE(spy.size(), 1);
        QVERIFY(!d.busy());
    }

    // A read-ahead picture is handed out only while the file is what it was
    // decoded from, at the size asked now.
    void stale_read_ahead_is_never_taken_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("taken");
        QTest::newRow("unchanged") << "" << true;
        QTest::newRow("still decoding") << "no wait" << true;
        QTest::newRow("rewritten") << "rewritten" << false;
        QTest::newRow("same bytes, new time") << "touched" << false;
        QTest::newRow("deleted") << "deleted" << false;
        QTest::newRow("saved over by us") << "announced" << false;
        QTest::newRow("asked at another size") << "other size" << false;
        QTest::newRow("beyond the memory bound") << "dropped" << false;
    }
    void stale_read_ahead_is_never_taken()
    {
        QFETCH(QString, change);
        QFETCH(bool, taken);
        const QString dir = QFileInfo(photo).path();
        PictureReadAhead r(2);
        QSize fit(60, 60);
        r.request(photo, fit);
        if (change != QLatin1String("no wait"))
            QTRY_VERIFY(r.idle());
        if (change == QLatin1String("rewritten")) {
            QImage other(300, 200, QImage::Format_RGB32);
            other.fill(Qt::red);
            QVERIFY(QImageWriter(photo, "jpeg").write(other));
        } else if (change == QLatin1String("touched")) {
            QFile f(photo);
            QVERIFY(f.open(QIODevice::ReadWrite));
            // Half a second later: the same second, other nanoseconds.
            QVERIFY(f.setFileTime(QFileInfo(photo).lastModified().addMSecs(500), QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("deleted")) {
            QVERIFY(QFile::remove(photo));
        } else if (change == QLatin1String("announced")) {
            file_changed(photo);
        } else if (change == QLatin1String("other size")) {
            fit = QSize(30, 30);
        } else if (change == QLatin1String("dropped")) {
            for (const char *n : {"/x.jpg", "/y.jpg"}) {
                QVERIFY(QFile::copy(photo, dir + QLatin1String(n)));
                r.request(dir + QLatin1String(n), fit);
            }
            QCOMPARE(r.held(), 2);
        }
        QCOMPARE(r.holds(photo), change != QLatin1String("announced") && change != QLatin1String("dropped"));
        const DecodedPicture d = r.take(photo, fit);
        QCOMPARE(d.valid(), taken);
        if (taken)
            QCOMPARE(d.image.size(), QSize(60, 40));
        QVERIFY(!r.holds(photo));
    }

    // The picture named on the command line, decoded while start-up goes
    // on, is taken once, for the same file unchanged, at least as large as
    // the window needs.
    void first_decode_is_taken_only_unchanged()
    {
        start_first_decode(photo, QSize(300, 300));
        QCOMPARE(take_first_decode(photo, QSize(150, 100)).image.size(), QSize(150, 100));
        QVERIFY(!take_first_decode(photo, QSize(150, 100)).valid()); // taken once

        start_first_decode(photo, QSize(300, 300));
        QVERIFY(!take_first_decode(photo + QStringLiteral("x"), QSize(150, 100)).valid());
        start_first_decode(photo, QSize(300, 300));
        QVERIFY(!take_first_decode(photo, QSize(450, 300)).valid()); // too small
        start_first_decode(photo, QSize(300, 300));
        QImage other(600, 400, QImage::Format_RGB32);
        other.fill(Qt::red);
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(QImageWriter(photo, "png").write(other)); // changed on disk since
        QVERIFY(!take_first_decode(photo, QSize(150, 100)).valid());
    }

    // The picture window reads ahead what Page Down and Page Up reach. Its
    // first step shows the picture predicted from the folder at once and
    // then takes the folder list, whose own step wins when they differ.
    void picture_window_steps_and_reads_ahead()
    {
        test::FakeWindows layer;
        const QString dir = QFileInfo(photo).path();
        const QString a = dir + QStringLiteral("/a.jpg"), b = dir + QStringLiteral("/b.jpg");
        QVERIFY(QFile::rename(photo, dir + QStringLiteral("/c.jpg")));
        const QString c = dir + QStringLiteral("/c.jpg");
        QVERIFY(QFile::copy(c, a) && QFile::copy(c, b));
        QStringList shown;
        FolderStepper s([](QSize n) { return n / 2; }, [&](const QString &p) { shown << p; });
        s.shown(a);
        QCOMPARE(s.pictures().held(), 2);
        QVERIFY(s.pictures().holds(b) && s.pictures().holds(c));
        const DecodedPicture d = s.obtain(b);
        QCOMPARE(s.hits(), 1);
        QCOMPARE(d.image.size(), QSize(300, 200));
        QCOMPARE(d.natural, QSize(600, 400));
        QVERIFY(s.obtain(a).valid()); // not read ahead: decoded now
        QCOMPARE(s.hits(), 1);

        QVERIFY(QFile::copy(c, dir + QStringLiteral("/ab.jpg"))); // after the prediction
        s.step(a, true);
        QCOMPARE(shown, QStringList{b});
        QTRY_VERIFY(s.list().ready);
        QCOMPARE(shown, (QStringList{b, dir + QStringLiteral("/ab.jpg")}));
        QCOMPARE(s.list().paths.size(), 4);
        s.shown(dir + QStringLiteral("/ab.jpg"));
        QVERIFY(s.pictures().holds(a) && s.pictures().holds(b));
        s.step(dir + QStringLiteral("/ab.jpg"), false);
        QCOMPARE(shown.last(), a);
    }
};

QTEST_GUILESS_MAIN(tst_picture_decoder)
#include "tst_picture_decoder.moc"
