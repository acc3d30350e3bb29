// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window at 200 %: a picture's own pixel is one screen pixel.
#include "picture_window_fixture.h"
#include "scripted_prompt.h"
#include "test_windows.h"
#include "viewer/windows/image_control.h"

#include <QClipboard>
#include <QtTest>

using namespace lf;

class tst_hidpi_pictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { test::delete_all_windows(); }

    // One-pixel stripes, which any enlarging or smoothing blurs into grey, come
    // out as they went in; a large picture is decoded at the device pixels it
    // covers, rounded up.
    void pictures_are_shown_one_to_one()
    {
        QCOMPARE(screen_pixel_ratio(), 2.0);
        const QString dir = test::picture_window_setup();
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        auto on_screen = [](QWidget *w) { // in device pixels
            QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
            img.setDevicePixelRatio(1);
            return img;
        };
        QImage img(1000, 600, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        const QString path = dir + QStringLiteral("/stripes.bmp");
        QVERIFY(img.save(path, "BMP"));
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        QCOMPARE(w->Imagex->size(), QSize(500, 300));
        QCOMPARE(on_screen(w->Imagex), img);
        w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/big.jpg"), 4000, 3000));
        QVERIFY(w);
        image_control *c = w->Imagex;
        QCOMPARE(c->device_size(), c->size() * 2);
        const QSize extra = c->picture().size() - c->device_size();
        QVERIFY(extra.width() >= 0 && extra.width() <= 1 && extra.height() >= 0 && extra.height() <= 1);
        // Copying gives the whole picture whatever is decoded.
        w->copy_to_clipboard();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(4000, 3000));

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
