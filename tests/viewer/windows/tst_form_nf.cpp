// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_versions.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "fake_windows.h"
#include "hostile_pictures.h"
#include "picture_window_fixture.h"
#include "scripted_prompt.h"
#include "test_windows.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/image_control.h"

#include <QClipboard>
#include <QFile>
#include <QtTest>

#include <memory>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

// The picture window as its user meets it: what it shows, where, and what it
// asks; on a 1280 x 960 screen with a 40-pixel taskbar.
class tst_form_nf : public QObject {
    Q_OBJECT
    QString dir;
    QList<test::HostilePicture> cases;
    QStringList hostile;
    std::unique_ptr<test::FakeWindows> layer;
    std::unique_ptr<test::ScriptedPrompt> prompt;

    QByteArray bytes_of(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        cases = test::hostile_pictures();
        hostile = test::write_hostile_pictures(test::fresh_folder(QStringLiteral("hostile")));
    }
    void init()
    {
        dir = test::picture_window_setup();
        layer = std::make_unique<test::FakeWindows>();
        prompt = std::make_unique<test::ScriptedPrompt>();
    }
    void cleanup()
    {
        test::delete_all_windows();
        prompt.reset();
        layer.reset();
    }

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

    void a_big_picture_is_decoded_at_its_fitted_size_until_more_is_shown()
    {
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/big.jpg"), 4000, 3000));
        QCOMPARE(w->Imagex->natural_size(), QSize(4000, 3000));
        QVERIFY(w->Imagex->picture().width() < 4000);
        QVERIFY(w->Imagex->picture().width() >= w->Imagex->width());
        QTest::keyClick(w, '/');
        QCOMPARE(outer_geometry(w), (TwipRect{0, 0, 19200, 13950}));
        QCOMPARE(w->Imagex->size(), QSize(4000, 3000));
        QTRY_COMPARE(w->Imagex->picture().size(), QSize(4000, 3000));
        // Copying gives the whole picture whatever is decoded.
        w->copy_to_clipboard();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(4000, 3000));
    }

    // Every case of the hostile corpus: a window showing it upright and
    // answering keys, or no window and the reason.
    void hostile_files_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(qPrintable(cases[i].name)) << i;
        QTest::newRow("missing") << -1;
    }
    void hostile_files()
    {
        QFETCH(int, index);
        const QString path = index < 0 ? dir + QStringLiteral("/gone.jpg") : hostile[index];
        form_nf *w = test::open_picture_window(QLatin1Char('"') + path + QLatin1Char('"'));
        if (!w) {
            QVERIFY(index < 0 || !cases[index].upright.isValid());
            QCOMPARE(prompt->message_texts(), QStringList{(index < 0 ? "File not found " : "Bad file name: ") + path});
            QCOMPARE(get_setting(key::last_picture_file), QString());
            return;
        }
        const test::HostilePicture &c = cases[index];
        const QImage &shown = w->Imagex->picture();
        QVERIFY(qint64(shown.width()) * shown.height() <= max_picture_pixels);
        if (c.upright.isValid())
            QCOMPARE(shown.size(), c.upright);
        if (c.check_quadrants)
            QVERIFY(test::has_upright_quadrants(shown));
        QTest::keyClick(w, '+');
        QTest::keyClick(w, '/');
        w->resize(200, 150);
        QCoreApplication::processEvents();
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
    }

    void next_and_previous_wrap_around_the_folder()
    {
        test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        test::write_picture(dir + QStringLiteral("/b.jpg"), 60, 40);
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
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/b.jpg"));
        QCOMPARE(w->windowTitle(), QStringLiteral("b.jpg"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        QVERIFY(prompt->messages.isEmpty());
        // The list is taken once: a picture added later is not seen, and a
        // removed one reports itself and leaves the window usable.
        test::write_picture(dir + QStringLiteral("/b2.jpg"), 60, 40);
        QVERIFY(QFile::remove(dir + QStringLiteral("/c.bmp")));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(prompt->message_texts(), QStringList{"File not found " + dir + "/c.bmp"});
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

    void delete_asks_keeps_a_copy_and_closes()
    {
        const QString path = test::write_picture(dir + QStringLiteral("/d.jpg"), 60, 40);
        const QByteArray bytes = bytes_of(path);
        form_nf *w = test::open_picture_window(path);
        QTest::keyClick(w, Qt::Key_Delete); // Cancel is the default
        QVERIFY(QFile::exists(path));
        QCOMPARE(prompt->messages.size(), 1);
        const MessageRequest &q = prompt->messages.first();
        QCOMPARE(q.text, "Do you really want to delete file " + path + "?");
        QCOMPARE(q.title, QStringLiteral("Deleting last picture"));
        QCOMPARE(q.buttons, Buttons::OkCancel);
        QCOMPARE(q.icon, Icon::Critical);
        QCOMPARE(q.default_button, 2);
        registry().main_panel_loaded = true;
        prompt->answers.push_back(Answer::Ok);
        w->m_delete_pic->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(bytes_of(versions_folder(app().tmp_pic_dir, path) + QStringLiteral("/deleted/d.jpg")), bytes);
        QCOMPARE(get_setting(key::last_picture_file), QString());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(layer->calls, QStringList{"show_main_panel"});
    }

    void rename_keeps_the_extension_and_puts_the_path_on_the_clipboard()
    {
        const QString path = test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        test::write_picture(dir + QStringLiteral("/taken.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(path);
        for (const char *a : {"b.gif", "../x.jpg", "taken.jpg", "b.JPG"})
            prompt->texts.push_back(QLatin1String(a));
        QTest::keyClick(w, 'n');
        QCOMPARE(prompt->inputs.first().title, QStringLiteral("Renaming last file"));
        QCOMPARE(prompt->inputs.first().prompt, QStringLiteral("New file name?"));
        QCOMPARE(prompt->inputs.first().proposed, QStringLiteral("a.jpg"));
        QCOMPARE(prompt->message_texts(),
                 (QStringList{"File extension cannot be modified", "Invalid file name", "Invalid file name"}));
        const QString renamed = dir + QStringLiteral("/b.JPG");
        QVERIFY(QFile::exists(renamed) && !QFile::exists(path) && QFile::exists(dir + QStringLiteral("/taken.jpg")));
        QCOMPARE(w->picture_path(), renamed);
        QCOMPARE(QGuiApplication::clipboard()->text(), renamed);
        QCOMPARE(w->windowTitle(), QStringLiteral("b.jpg"));
    }

    void jpeg_quality_is_asked_until_valid()
    {
        for (const char *a : {"9", "100", "50.5"})
            prompt->texts.push_back(QLatin1String(a));
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/q.jpg"), 60, 40));
        w->m_change_jpg_quality->trigger();
        QCOMPARE(prompt->message_texts(), (QStringList{"Invalid value: 9", "Invalid value: 100"}));
        QCOMPARE(prompt->inputs.first().title, QStringLiteral("Set new JPEG quality"));
        QCOMPARE(prompt->inputs.first().prompt, QStringLiteral("New quality (min=10, max=99, suggested=80)?"));
        QCOMPARE(prompt->inputs.first().proposed, QStringLiteral("80"));
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("51"));
        QCOMPARE(w->m_change_jpg_quality->text(), QStringLiteral("Change quality of saved JPEG pictures (now 51)"));
        w->m_change_jpg_quality->trigger(); // cancelled
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("51"));
    }

    void restore_swaps_with_the_backup()
    {
        const QString path = test::write_picture(dir + QStringLiteral("/r.jpg"), 300, 200);
        form_nf *w = test::open_picture_window(path);
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(prompt->message_texts(), QStringList{"Backup file with same file name not found"});
        QVERIFY(make_versions_folder(app().tmp_pic_dir, path));
        test::write_picture(first_backup_for(app().tmp_pic_dir, path), 100, 50);
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->Imagex->picture().size(), QSize(100, 50));
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->Imagex->picture().size(), QSize(300, 200));
        QCOMPARE(prompt->messages.size(), 1);
    }

    void background_color_is_stored_as_a_number()
    {
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/b.jpg"), 60, 40));
        prompt->colors.push_back(QColor(1, 2, 3));
        w->m_change_back_color->trigger();
        QCOMPARE(prompt->color_titles.value(0), QStringLiteral("Change background color"));
        QCOMPARE(get_setting(key::pic_back_color), QString::number(1 + 2 * 256 + 3 * 65536));
        QCOMPARE(w->Picture1->palette().color(QPalette::Window), QColor(1, 2, 3));
    }
};

QTEST_MAIN(tst_form_nf)
#include "tst_form_nf.moc"
