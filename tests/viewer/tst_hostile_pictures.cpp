// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_loader.h"

#include "hostile_pictures.h"
#include "test_env.h"

#include <QtTest>

using namespace lf;

// Every case of the hostile corpus through the loader the windows use. The
// memory bound is the loader's: nothing over max_picture_pixels is decoded
// (at 4 bytes a pixel, 1 GiB), checked on every result.
class tst_hostile_pictures : public QObject {
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
    void init() { test::reset_everything(); }

    void corpus_holds_every_kind()
    {
        QStringList names;
        for (const auto &c : cases)
            names << c.name;
        for (const char *n : {"zero.jpg", "third.gif", "png_named.jpg", "claims_2p31.bmp",
                              "claims_65535_square.gif", "frames_10000.gif", "top_down.bmp",
                              "palette_2p30.bmp", "progressive.jpg", "cmyk.jpg",
                              "orientation_8.jpg"})
            QVERIFY2(names.contains(QLatin1String(n)), n);
        // The generated good pictures really are what their names say.
        QVERIFY(test::has_upright_quadrants(test::quadrant_picture(48, 32)));
        QVERIFY(!test::has_upright_quadrants(test::quadrant_picture(48, 32).mirrored(true, false)));
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
        const QString path = paths[index];
        const QImage full = load_picture(path);
        const QImage fitted = load_picture(path, QSize(20, 20));
        for (const QImage &img : {full, fitted})
            QVERIFY(qint64(img.width()) * img.height() <= max_picture_pixels);
        if (c.at_most.isValid()) {
            QVERIFY(full.width() <= c.at_most.width() && full.height() <= c.at_most.height());
            return;
        }
        if (!c.upright.isValid()) {
            QVERIFY(full.isNull());
            QVERIFY(fitted.isNull());
            return;
        }
        QCOMPARE(picture_size(path), c.upright);
        QCOMPARE(full.size(), c.upright);
        // Fitted within 20 x 20 keeping the shape: 20 x 13 for 48 x 32.
        QVERIFY(!fitted.isNull());
        QVERIFY(fitted.width() <= 20 && fitted.height() <= 20);
        if (c.check_quadrants) {
            QVERIFY2(test::has_upright_quadrants(full), qPrintable(c.name));
            QVERIFY2(test::has_upright_quadrants(fitted), qPrintable(c.name));
        }
    }
};

QTEST_GUILESS_MAIN(tst_hostile_pictures)
#include "tst_hostile_pictures.moc"
