// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_loader.h"

#include "app/file_changes.h"
#include "hostile_pictures.h"
#include "test_env.h"
#include "viewer/picture_commands.h"
#include "viewer/picture_read_ahead.h"

#include <QColorSpace>
#include <QDir>
#include <QImageWriter>
#include <QThreadPool>
#include <QtTest>

using namespace lf;

// Decoding as the windows do it: the loader, and a read-ahead never stale.
class tst_picture_loader : public QObject {
    Q_OBJECT
    QString dir, photo;
    QStringList paths;
    QList<test::HostilePicture> cases;

private Q_SLOTS:
    void initTestCase()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("hostile"));
        cases = test::hostile_pictures();
        paths = test::write_hostile_pictures(dir);
    }
    // A 600 x 400 photo last changed at noon sharp.
    void init()
    {
        photo = test::fresh_folder(QStringLiteral("dec")) + QStringLiteral("/p.jpg");
        QImage img(600, 400, QImage::Format_RGB32);
        img.fill(QColor(30, 120, 200));
        QVERIFY(QImageWriter(photo, "jpeg").write(img));
        QFile f(photo);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
    }

    // Nothing over max_picture_pixels (1 GiB at 4 bytes a pixel) is ever decoded.
    void each_case_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(qPrintable(cases[i].name)) << i;
        QTest::newRow("missing") << -1;
        QTest::newRow("folder") << -2;
    }
    void each_case()
    {
        QFETCH(int, index);
        if (index < 0) {
            const QString path = dir + (index == -1 ? QStringLiteral("/none.jpg") : QStringLiteral("/folder.jpg"));
            QDir().mkpath(dir + QStringLiteral("/folder.jpg"));
            QVERIFY(load_picture(path).isNull() && !picture_size(path).isValid());
            QCOMPARE(picture_open_problem(path), (index == -1 ? "File not found " : "Bad file name: ") + path);
            return;
        }
        const test::HostilePicture &c = cases[index];
        const QImage full = load_picture(paths[index]);
        const QImage fitted = load_picture(paths[index], QSize(20, 20));
        if (c.at_most.isValid()) {
            QVERIFY(full.width() <= c.at_most.width() && full.height() <= c.at_most.height());
            QVERIFY(fitted.width() <= 20 && fitted.height() <= 20);
            return;
        }
        if (!c.upright.isValid()) {
            QVERIFY(full.isNull() && fitted.isNull());
            return;
        }
        QVERIFY(picture_open_problem(paths[index]).isEmpty()); // a window opens for every picture that shows
        QCOMPARE(picture_size(paths[index]), c.upright);
        QCOMPARE(full.size(), c.upright);
        // Fitted within 20 x 20 keeping the shape: 20 x 13 for 48 x 32.
        QCOMPARE(fitted.size(), c.upright == QSize(48, 32) ? QSize(20, 13) : c.upright);
        if (c.check_quadrants)
            QVERIFY(test::has_upright_quadrants(full) && test::has_upright_quadrants(fitted));
    }

    // Shown in sRGB (Display P3's (200, 50, 30) is (219, 23, 3) there), or as stored when asked.
    void profiles_are_shown_in_srgb_and_kept_as_stored()
    {
        auto near = [](QRgb g, QColor c) {
            return qAbs(qRed(g) - c.red()) <= 3 && qAbs(qGreen(g) - c.green()) <= 3 && qAbs(qBlue(g) - c.blue()) <= 3;
        };
        const QColorSpace p3(QColorSpace::DisplayP3);
        for (const auto &[profile, shown] : {std::pair(QColorSpace(), QColor(200, 50, 30)), std::pair(p3, QColor(219, 23, 3))}) {
            QImage img(64, 48, QImage::Format_RGB32);
            img.fill(QColor(200, 50, 30));
            img.setColorSpace(profile);
            const QString path = dir + QStringLiteral("/c.jpg");
            QVERIFY(img.save(path, "JPEG", 100));
            for (const QSize fit : {QSize(), QSize(32, 24)}) {
                QVERIFY(near(load_picture(path, fit).pixel(10, 10), shown));
                const QImage stored = load_picture(path, fit, PictureColours::AsStored);
                QVERIFY(near(stored.pixel(10, 10), QColor(200, 50, 30)));
                QCOMPARE(stored.colorSpace(), profile);
            }
        }
    }

    // A read-ahead picture is handed out only for the file as decoded, at the size asked.
    void stale_read_ahead_is_never_taken_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("taken");
        QTest::newRow("unchanged") << "" << true;
        QTest::newRow("same bytes, new time") << "touched" << false;
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
        QTRY_VERIFY(r.idle());
        if (change == QLatin1String("touched")) {
            QFile f(photo);
            QVERIFY(f.open(QIODevice::ReadWrite));
            // Half a second later: the same second, other nanoseconds.
            QVERIFY(f.setFileTime(QFileInfo(photo).lastModified().addMSecs(500), QFileDevice::FileModificationTime));
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

    // The command line's picture, decoded during start-up, is taken once, for
    // the same file unchanged, at least as large as the window needs.
    void first_decode_is_taken_only_unchanged()
    {
        start_first_decode(photo, QSize(300, 300));
        QCOMPARE(take_first_decode(photo, QSize(150, 100)).image.size(), QSize(150, 100));
        QVERIFY(!take_first_decode(photo, QSize(150, 100)).valid()); // taken once

        start_first_decode(photo, QSize(300, 300));
        QVERIFY(!take_first_decode(photo, QSize(450, 300)).valid()); // too small
        start_first_decode(photo, QSize(300, 300));
        QThreadPool::globalInstance()->waitForDone();
        test::write_file(photo, test::jpeg_bytes()); // changed on disk since
        QVERIFY(!take_first_decode(photo, QSize(150, 100)).valid());
    }
};

QTEST_GUILESS_MAIN(tst_picture_loader)
#include "tst_picture_loader.moc"
