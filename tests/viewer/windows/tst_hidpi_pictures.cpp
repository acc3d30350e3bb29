// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window on a screen scaled to 200 %: every picture's own pixel
// is one screen pixel, and a fitted picture has as many pixels as it covers.
#include "app/screen.h"
#include "picture_window_fixture.h"
#include "scripted_prompt.h"
#include "test_windows.h"
#include "viewer/windows/image_control.h"

#include <QtTest>

using namespace lf;

namespace {

// One-pixel stripes: any enlarging or smoothing on the way to the screen
// blurs them into grey.
QImage stripes(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return img;
}

// The control as the screen shows it, in device pixels.
QImage on_screen(QWidget *w)
{
    QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    img.setDevicePixelRatio(1);
    return img;
}

} // namespace

class tst_hidpi_pictures : public QObject {
    Q_OBJECT
    QString dir;

private Q_SLOTS:
    void initTestCase() { QCOMPARE(screen_pixel_ratio(), 2.0); }
    // 1280 x 960 logical pixels, 2560 x 1920 device pixels.
    void init() { dir = test::picture_window_setup(); }
    void cleanup() { test::delete_all_windows(); }

    void a_picture_at_its_own_size_is_one_to_one()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        const QImage img = stripes(1000, 600);
        const QString path = dir + QStringLiteral("/stripes.bmp");
        QVERIFY(img.save(path, "BMP"));
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        // Half as many logical pixels as the picture has.
        QCOMPARE(w->Imagex->size(), QSize(500, 300));
        QCOMPARE(w->m_original_resolution->text(), QStringLiteral("Original resolution 1000 x 600 (/)"));
        QCOMPARE(w->windowTitle(), QStringLiteral("stripes.bmp"));
        QCOMPARE(on_screen(w->Imagex), img);
    }

    void a_large_picture_is_decoded_for_the_screen_and_original_is_one_to_one()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/big.jpg"), 4000, 3000);
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        image_control *c = w->Imagex;
        QVERIFY(w->state().shrunk_at_load);
        // Decoded at the device pixels it covers (rounded up), not at the
        // logical size.
        QCOMPARE(c->device_size(), c->size() * 2);
        const QSize decoded = c->picture().size(), device = c->device_size();
        QVERIFY2(decoded.width() - device.width() <= 1 && decoded.width() >= device.width()
                     && decoded.height() - device.height() <= 1 && decoded.height() >= device.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(decoded.width()).arg(decoded.height())));

        QTest::keyClick(w, '/');
        QCOMPARE(c->size(), QSize(2000, 1500));
        QTRY_COMPARE(c->picture().size(), QSize(4000, 3000));
        QCOMPARE(on_screen(c).size(), QSize(4000, 3000));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_hidpi_pictures t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_hidpi_pictures.moc"
