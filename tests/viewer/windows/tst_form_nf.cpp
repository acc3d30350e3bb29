// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "fake_windows.h"
#include "picture_window_fixture.h"
#include "scripted_prompt.h"
#include "test_windows.h"
#include "viewer/picture_back_color.h"
#include "viewer/windows/image_control.h"

#include <QClipboard>
#include <QFile>
#include <QtTest>

#include <memory>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

// The picture window as its user meets it, on a 1280 x 960 screen with a 40-pixel taskbar.
class tst_form_nf : public QObject {
    Q_OBJECT
    QString dir;
    std::unique_ptr<test::FakeWindows> layer;
    std::unique_ptr<test::ScriptedPrompt> prompt;

private Q_SLOTS:
    void init()
    {
        dir = test::picture_window_setup();
        layer = std::make_unique<test::FakeWindows>();
        prompt = std::make_unique<test::ScriptedPrompt>();
    }
    void cleanup() { test::delete_all_windows(), prompt.reset(), layer.reset(); }

    void opening_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QString>("title");
        QTest::addColumn<TwipRect>("window");
        // Centred above the taskbar on whole pixels: top 3697 twips is 246.5 px.
        QTest::newRow("own size") << QSize(600, 400) << "photo.jpg" << TwipRect{5040, 3690, 9120, 6405};
        // The full work area high; 446 whole pixels of picture inside the frame.
        QTest::newRow("shrunk to the work area")
            << QSize(1000, 2000) << "photo.jpg - Res. ratio 0.4" << TwipRect{6195, 0, 446 * 15 + 120, 13800};
    }
    void opening()
    {
        QFETCH(QSize, pixels);
        const QString path = test::write_picture(dir + QStringLiteral("/Photo.JPG"), pixels.width(), pixels.height());
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        QTEST(w->windowTitle(), "title");
        QTEST(outer_geometry(w), "window");
        QCOMPARE(w->m_original_resolution->text(),
                 QStringLiteral("Original resolution %1 x %2 (/)").arg(pixels.width()).arg(pixels.height()));
        QCOMPARE(w->m_save_jpeg_resized->isVisible(), pixels.height() > 900);
        QCOMPARE(QGuiApplication::clipboard()->text(), path);
        QCOMPARE(get_setting(key::last_picture_file), path);
        QVERIFY(prompt->messages.isEmpty());
        QTRY_VERIFY(w->Imagex->paint_count() > 0);
    }

    // A missing file opens no window.
    void next_and_previous_wrap_around_the_folder()
    {
        QVERIFY(!test::open_picture_window(QLatin1Char('"') + dir + QStringLiteral("/c.bmp\"")));
        QCOMPARE(prompt->message_texts(), QStringList{"File not found " + dir + "/c.bmp"});
        prompt->messages.clear();
        for (const char *n : {"/a.jpg", "/b.jpg"})
            test::write_picture(dir + n, 60, 40);
        test::write_picture(dir + QStringLiteral("/c.bmp"), 60, 40, "bmp");
        test::write_file(dir + QStringLiteral("/notes.txt"));
        form_nf *w = test::open_picture_window(dir + QStringLiteral("/b.jpg"));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/c.bmp"));
        QTest::keyClick(w, Qt::Key_PageDown); // past the last: the first
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/a.jpg"));
        QTest::keyClick(w, Qt::Key_PageUp); // before the first: the last
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/c.bmp"));
        w->m_open_previous_picture->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("b.jpg"));
        // The list is taken once; a removed picture reports itself.
        test::write_picture(dir + QStringLiteral("/b2.jpg"), 60, 40);
        QVERIFY(QFile::remove(dir + QStringLiteral("/c.bmp")));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(prompt->message_texts(), QStringList{"File not found " + dir + "/c.bmp"}); // once, just now
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/a.jpg"));
    }

    void crop_mode_holds_the_size_and_drags_the_picture()
    {
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/K.jpg"), 300, 200));
        QTest::keyClick(w, 'c');
        QVERIFY(w->m_allow_cropping->isChecked());
        QCOMPARE(w->windowTitle(), QStringLiteral("k.jpg (0, 0)"));
        const TwipRect window = outer_geometry(w);
        QTest::keyClick(w, '+');
        QCOMPARE(outer_geometry(w), window);
        QTest::mousePress(w->Imagex, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), w->Imagex->mapToGlobal(QPointF(30, 40)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Imagex, &move);
        QTest::mouseRelease(w->Imagex, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
        QCOMPARE(w->Imagex->pos(), QPoint(-20, -10));
        QCOMPARE(w->windowTitle(), QStringLiteral("k.jpg (-20, -10)"));
        QTest::keyClick(w, 'C', Qt::ShiftModifier);
        QVERIFY(!w->m_allow_cropping->isChecked());
        QTest::keyClick(w, '+');
        QCOMPARE(w->windowTitle(), QStringLiteral("k.jpg (315x210)"));
    }

    // Renaming follows the picture and puts its path on the clipboard;
    // deleting asks, then closes the window.
    void rename_then_delete()
    {
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40));
        prompt->texts.push_back(QStringLiteral("b.JPG"));
        QTest::keyClick(w, 'n');
        QCOMPARE(prompt->inputs.first().title, QStringLiteral("Renaming last file"));
        const QString path = dir + QStringLiteral("/b.JPG");
        QCOMPARE(w->picture_path(), path);
        QCOMPARE(QGuiApplication::clipboard()->text(), path);
        QCOMPARE(w->windowTitle(), QStringLiteral("b.jpg"));
        QTest::keyClick(w, Qt::Key_Delete); // Cancel is the default
        QVERIFY(QFile::exists(path));
        QCOMPARE(prompt->message_texts(), QStringList{"Do you really want to delete file " + path + "?"});
        const MessageRequest &q = prompt->messages.first();
        QCOMPARE(q.title, QStringLiteral("Deleting last picture"));
        QVERIFY(q.buttons == Buttons::OkCancel && q.icon == Icon::Critical && q.default_button == 2);
        registry().main_panel_loaded = true;
        prompt->answers.push_back(Answer::Ok);
        w->m_delete_pic->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(get_setting(key::last_picture_file), QString());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(layer->calls, QStringList{"show_main_panel"});
    }

    // JPEG quality asked until valid; the background colour shown at once and stored as BBGGRR.
    void quality_and_background_colour()
    {
        prompt->texts = {"9", "100", "50.5"};
        prompt->colors.push_back(QColor(1, 2, 3));
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/q.jpg"), 60, 40));
        w->m_change_jpg_quality->trigger();
        QCOMPARE(prompt->message_texts(), (QStringList{"Invalid value: 9", "Invalid value: 100"}));
        const InputRequest &q = prompt->inputs.first();
        QCOMPARE(q.title + " | " + q.prompt + " | " + q.proposed,
                 "Set new JPEG quality | New quality (min=10, max=99, suggested=80)? | 80");
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("51"));
        QCOMPARE(w->m_change_jpg_quality->text(), QStringLiteral("Change quality of saved JPEG pictures (now 51)"));
        w->m_change_jpg_quality->trigger(); // cancelled
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("51"));
        w->m_change_back_color->trigger();
        QCOMPARE(prompt->color_titles.value(0), QStringLiteral("Change background color"));
        QCOMPARE(w->Picture1->palette().color(QPalette::Window), QColor(1, 2, 3));
        QCOMPARE(get_setting(key::pic_back_color), QStringLiteral("197121")); // 0x030201
        QCOMPARE(picture_back_color(), QColor(1, 2, 3));
    }
};

QTEST_MAIN(tst_form_nf)
#include "tst_form_nf.moc"
