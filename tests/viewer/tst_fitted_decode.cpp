// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/fitted_decode.h"

#include "test_env.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(QSize)

namespace {

// 1920 x 1080 screen with a 40-pixel taskbar; a frame of 16 x 60 pixels.
const ScreenTwips screen{28800, 16200, 600};
const FrameTwips frame{240, 900, 0, 0};

} // namespace

class tst_fitted_decode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void fitted_size_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("expected");
        // 980 px of picture height are left above the taskbar; 1.5 x 980.
        QTest::newRow("24 MP landscape") << QSize(6000, 4000) << 1.0 << QSize(1470, 980);
        QTest::newRow("fits as it is") << QSize(800, 600) << 1.0 << QSize(800, 600);
        QTest::newRow("just fits") << QSize(1000, 980) << 1.0 << QSize(1000, 980);
        // 653.3 px wide: rounded up, and the height follows the ratio.
        QTest::newRow("portrait") << QSize(4000, 6000) << 1.0 << QSize(654, 981);
        // Limited by the screen width: 1904 px wide, 317.3 px high.
        QTest::newRow("panorama") << QSize(12000, 2000) << 1.0 << QSize(1908, 318);
        QTest::newRow("empty") << QSize(0, 0) << 1.0 << QSize();
        // The same screen scaled to 200 %: as many logical pixels, twice the
        // device pixels, and the picture's own pixels are device pixels.
        QTest::newRow("24 MP at 2x") << QSize(6000, 4000) << 2.0 << QSize(2940, 1960);
        QTest::newRow("fits at 2x only") << QSize(1600, 1200) << 2.0 << QSize(1600, 1200);
        QTest::newRow("24 MP at 1.5x") << QSize(6000, 4000) << 1.5 << QSize(2205, 1470);
    }
    void fitted_size()
    {
        QFETCH(QSize, natural);
        QFETCH(double, ratio);
        QFETCH(QSize, expected);
        QCOMPARE(fitted_decode_size(screen, frame, natural, ratio), expected);
    }

    void larger_size_data()
    {
        QTest::addColumn<QSize>("decoded");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("expected");
        const QSize photo(6000, 4000);
        QTest::newRow("same size") << QSize(1470, 980) << QSize(1470, 980) << photo << QSize();
        QTest::newRow("smaller window") << QSize(1470, 980) << QSize(700, 466) << photo << QSize();
        QTest::newRow("enlarged") << QSize(1470, 980) << QSize(1800, 1200) << photo
                                  << QSize(1800, 1200);
        QTest::newRow("stretched wider") << QSize(1470, 980) << QSize(1800, 980) << photo
                                         << QSize(1800, 1200);
        QTest::newRow("past the original") << QSize(1470, 980) << QSize(9000, 6000) << photo
                                           << photo;
        QTest::newRow("already full") << photo << QSize(9000, 6000) << photo << QSize();
        QTest::newRow("nothing shown") << QSize(1470, 980) << QSize(0, 0) << photo << QSize();
    }
    void larger_size()
    {
        QFETCH(QSize, decoded);
        QFETCH(QSize, shown);
        QFETCH(QSize, natural);
        QFETCH(QSize, expected);
        QCOMPARE(larger_decode_size(decoded, shown, natural), expected);
    }
};

QTEST_GUILESS_MAIN(tst_fitted_decode)
#include "tst_fitted_decode.moc"
