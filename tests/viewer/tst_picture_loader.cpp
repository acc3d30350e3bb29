// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_loader.h"

#include "hostile_pictures.h"
#include "test_env.h"

#include <QColorSpace>
#include <QDir>
#include <QtTest>

using namespace lf;

// Every case of the hostile corpus through the loader the windows use. The
// memory bound is the loader's: nothing over max_picture_pixels is decoded
// (at 4 bytes a pixel, 1 GiB), checked on every result.
class tst_picture_loader : public QObject {
    Q_OBJECT
    QString dir;
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

    void each_case_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(qPrintable(cases[i].name)) << i;
    }
    void each_case()
    {
        QFETCH(int, index);
        const test::HostilePicture &c = cases[index];
        const QImage full = load_picture(paths[index]);
        const QImage fitted = load_picture(paths[index], QSize(20, 20));
        for (const QImage &img : {full, fitted})
            QVERIFY(qint64(img.width()) * img.height() <= max_picture_pixels);
        if (c.at_most.isValid()) {
            QVERIFY(full.width() <= c.at_most.width() && full.height() <= c.at_most.height());
            return;
        }
        if (!c.upright.isValid()) {
            QVERIFY(full.isNull() && fitted.isNull());
            return;
        }
        QCOMPARE(picture_size(paths[index]), c.upright);
        QCOMPARE(full.size(), c.upright);
        // Fitted within 20 x 20 keeping the shape: 20 x 13 for 48 x 32.
        QCOMPARE(fitted.size(), c.upright == QSize(48, 32) ? QSize(20, 13) : c.upright);
        if (c.check_quadrants) {
            QVERIFY(test::has_upright_quadrants(full));
            QVERIFY(test::has_upright_quadrants(fitted));
        }
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
};

QTEST_GUILESS_MAIN(tst_picture_loader)
#include "tst_picture_loader.moc"
