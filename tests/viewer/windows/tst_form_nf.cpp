// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "picture_window_fixture.h"
#include "test_env.h"
#include "test_windows.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"
#include "viewer/windows/image_control.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

namespace lf {
char *toString(const TwipRect &r)
{
    return QTest::toString(QStringLiteral("TwipRect{%1, %2, %3, %4}")
                               .arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}
} // namespace lf


class tst_form_nf : public QObject {
    Q_OBJECT
    QString dir;

private Q_SLOTS:
    void init()
    {
        dir = test::picture_window_setup();
    }
    void cleanup()
    {
        for (form_nf *w : test::visible_windows<form_nf>())
            delete w;
    }

    void a_small_picture_opens_at_its_own_size_centred()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/Photo.JPG"), 600, 400);
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("photo.jpg"));
        // Top 3697 twips, placed on whole pixels.
        QCOMPARE(outer_geometry(w), (TwipRect{5040, 3690, 9120, 6405}));
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 9000, 6000}));
        QCOMPARE(w->tag(), QStringLiteral("0001"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        QCOMPARE(w->picture_path(), path);
        QCOMPARE(QGuiApplication::clipboard()->text(), path);
        QCOMPARE(get_setting(key::last_picture_file), path);
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("80"));
        QCOMPARE(w->m_change_jpg_quality->text(),
                 QStringLiteral("Change quality of saved JPEG pictures (now 80)"));
        QCOMPARE(w->m_original_resolution->text(), QStringLiteral("Original resolution 600 x 400 (/)"));
        QVERIFY(!w->m_save_jpeg_resized->isVisible());
        QVERIFY(!w->m_restore_uncropped_image->isVisible());
        QVERIFY(!w->state().shrunk_at_load);
        QCOMPARE(viewer().anchor_top, 3697 - 345);
        QCOMPARE(viewer().anchor_left, 5040 - 60);
        QVERIFY(!viewer().fresh_open);
        QVERIFY(prompt.messages.isEmpty());
        QTRY_VERIFY(w->Imagex->paint_count() > 0);
    }

    void menu_items_carry_their_captions()
    {
        test::FakeWindows layer;
        save_setting(key::jpeg_quality, QStringLiteral("95"));
        const QString pic = test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        // Restore is offered for a picture with a backup of its own.
        QVERIFY(make_versions_folder(app().tmp_pic_dir, pic));
        test::write_file(newest_backup_for(app().tmp_pic_dir, pic));
        form_nf *w = test::open_picture_window(pic);
        QCOMPARE(w->m_popup->objectName(), QStringLiteral("m_popup"));
        QCOMPARE(w->m_change_jpg_quality->text(),
                 QStringLiteral("Change quality of saved JPEG pictures (now 95)"));
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("95"));
        QVERIFY(w->m_restore_uncropped_image->isVisible());
        QStringList items;
        for (QAction *a : w->m_popup->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + " = " + a->text());
        const QStringList expected{
            "m_slide_show_all_pic_in_same_dir = Slide show of all pictures in current directory (S)",
            "m_thumbnails_all_pics_in_same_dir = Thumbnails of all pictures in current directory (T)",
            "m_show_folder = Show folder containing this picture (F)",
            "-",
            "m_main_panel = Image viewer main panel (P)",
            "m_open_another_picture_without_closing_this_one = Open another picture without closing this one",
            "m_close_this_picture_and_open_another_one = Close this picture and open another one",
            "m_open_next_picture = Open next picture in the same folder (PG DN)",
            "m_open_previous_picture = Open previous picture in same folder (PG UP)",
            "-",
            "m_delete_pic = Delete picture (DEL)",
            "m_copy_to_clipboard = Copy picture to clipboard (CTL+C)",
            "m_edit_pic = Edit picture (E)",
            "m_refresh_image = Refresh picture (F5)",
            "m_rename_pic = Rename picture (N)",
            "m_copy_file = Copy original image file as... (A)",
            "-",
            "m_change_jpg_quality = Change quality of saved JPEG pictures (now 95)",
            "m_change_back_color = Change background color",
            "m_allow_cropping = Allow image dragging for cropping and inhibit resize (C)",
            "m_save_in_jpeg_format = Save image in JPEG format",
            "m_save_cropped_image_as = Save altered image (with original resolution) in JPEG format as... (J)",
            "m_save_jpeg_resized = Save altered image (with resized resolution) in JPEG format as... (R)",
            "m_restore_uncropped_image = Restore image as it was before altering (CTL-Z)",
            "-",
            "m_zoom_in = Zoom in (+)",
            "m_zoom_out = Zoom out (-)",
            "m_original_resolution = Original resolution 60 x 40 (/)",
            "m_web_resolution = Web publishing resolution -- max 792 x 544 (W)",
            "m_no_borders = Hide borders (H)",
            "m_acquario = Motion on/off (M)",
            "m_black = Black background (B, Enter or double click)",
            "m_exit = Exit ( ESC)",
            "m_agenda = Agenda view/edit",
        };
        QCOMPARE(items, expected);
    }

    void a_tall_picture_is_shrunk_with_its_ratio()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/Tall.jpg"), 1000, 2000));
        QVERIFY(w->state().shrunk_at_load);
        QCOMPARE(w->windowTitle(), QStringLiteral("tall.jpg - Res. ratio 0.4"));
        const TwipRect g = outer_geometry(w);
        // 13800 high asked; the window takes whole pixels of its client area.
        QCOMPARE(g.height, 13800);
        // The picture is 6698 twips wide: 446 whole pixels inside the frame.
        QCOMPARE(g.width, 446 * 15 + 120);
        QVERIFY(w->m_save_jpeg_resized->isVisible());
    }

    void a_big_picture_is_decoded_at_its_fitted_size_until_more_is_shown()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/big.jpg"), 4000, 3000);
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        // Caption and sizes speak of the file, not of the smaller decode.
        QCOMPARE(w->Imagex->natural_size(), QSize(4000, 3000));
        QVERIFY(w->Imagex->picture().width() < 4000);
        QVERIFY(w->Imagex->picture().width() >= w->Imagex->width());
        QVERIFY(w->m_original_resolution->text().contains(QStringLiteral("4000 x 3000")));

        QTest::keyClicks(w, QStringLiteral("/"));
        QCOMPARE(w->Imagex->size(), QSize(4000, 3000));
        QTRY_COMPARE(w->Imagex->picture().size(), QSize(4000, 3000));
        // Copying gives the whole picture whatever is decoded.
        w->copy_to_clipboard();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(4000, 3000));
    }

    void original_resolution_toggles_with_the_fitted_size()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/big.jpg"), 2000, 1500));
        const TwipRect fitted = outer_geometry(w);
        QVERIFY(w->state().shrunk_at_load);
        QTest::keyClick(w, '/');
        QCOMPARE(outer_geometry(w), (TwipRect{0, 0, 19200, 13950}));
        QCOMPARE(w->picture_geometry(), (TwipRect{-5445, -4455, 30000, 22500}));
        QVERIFY(w->state().crop_mode); // larger than the window: dragged, not rescaled
        QTest::keyClick(w, '/');
        QCOMPARE(outer_geometry(w), fitted);
        QVERIFY(!w->state().crop_mode);
        QCOMPARE(w->tag(), QStringLiteral("0001"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
    }

    void web_resolution_of_1600_by_1200()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/Web.jpg"), 1600, 1200));
        QTest::keyClick(w, 'W');
        QCOMPARE(w->windowTitle(), QStringLiteral("web.jpg (725x544)"));
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 725 * 15, 544 * 15}));
        QTest::keyClick(w, '/');
        QTest::keyClick(w, 'w');
        QCOMPARE(w->windowTitle(), QStringLiteral("web.jpg (725x544)"));
    }

    void zoom_in_and_out_by_a_twentieth()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/z.jpg"), 600, 400));
        QTest::keyClick(w, '+');
        // 9120 x 6405 grows to 9576 wide; the picture follows the width.
        QCOMPARE(w->windowTitle(), QStringLiteral("z.jpg (630x420)"));
        QCOMPARE(w->picture_geometry().width, 630 * 15);
        QVERIFY(w->m_save_jpeg_resized->isVisible());
        QVERIFY(w->state().rescaled);
        QTest::keyClick(w, '-');
        QTest::keyClick(w, '-');
        QVERIFY(w->picture_geometry().width < 9000);
        w->toggle_crop_mode();
        const TwipRect before = outer_geometry(w);
        QTest::keyClick(w, '+');
        QCOMPARE(outer_geometry(w), before);
    }

    void the_users_resize_refits_unless_cropping()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/r.jpg"), 600, 400));
        w->resize(800, 300);
        QTRY_COMPARE(w->windowTitle(), QStringLiteral("r.jpg (800x533)"));
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 12000, 533 * 15}));
        QVERIFY(w->state().size_changed);
        w->toggle_crop_mode();
        w->resize(500, 200);
        QTRY_VERIFY(w->state().cropped);
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 12000, 533 * 15}));
    }

    void a_changed_file_reloads_once_on_activation()
    {
        test::FakeWindows layer;
        const QString path = test::write_picture(dir + QStringLiteral("/c.jpg"), 600, 400);
        form_nf *w = test::open_picture_window(path);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w, &activate);
        QCOMPARE(w->Imagex->picture().size(), QSize(600, 400));
        QCOMPARE(viewer().last_viewer, QStringLiteral("nf"));

        test::write_picture(path, 300, 200);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        QApplication::sendEvent(w, &activate);
        QCOMPARE(w->Imagex->picture().size(), QSize(300, 200));
        QCOMPARE(w->tag(), QStringLiteral("0001"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        QVERIFY(w->state().file_time.isNull());

        test::write_picture(path, 100, 50);
        QApplication::sendEvent(w, &activate);
        QCOMPARE(w->Imagex->picture().size(), QSize(300, 200));
    }

    void reload_keeps_number_and_tag()
    {
        test::FakeWindows layer;
        form_nf *first = test::open_picture_window(test::write_picture(dir + QStringLiteral("/1.jpg"), 60, 40));
        form_nf *second = test::open_picture_window(test::write_picture(dir + QStringLiteral("/2.jpg"), 60, 40));
        QCOMPARE(second->tag(), QStringLiteral("0002"));
        first->reload();
        QCOMPARE(first->tag(), QStringLiteral("0001"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001|0002"));
        QCOMPARE(viewer().window_counter, 1);
    }

    void a_held_picture_opens_without_its_file()
    {
        test::FakeWindows layer;
        QImage held(300, 200, QImage::Format_RGB32);
        held.fill(Qt::green);
        ViewerState &v = viewer();
        v.holder = held;
        v.picture_from_holder = true;
        v.fresh_open = false;
        v.picture_to_open = dir + QStringLiteral("/gone.jpg");
        v.original_width = 4500;
        v.original_height = 3000;
        v.handover_width = 2250;
        v.handover_height = 1500;
        new_picture_window();
        form_nf *w = test::newest_picture_window();
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 2250, 1500}));
        QCOMPARE(w->Imagex->picture().size(), QSize(300, 200));
        QCOMPARE(w->windowTitle(), QStringLiteral("gone.jpg - Res. ratio 0.5"));
        QVERIFY(!v.picture_from_holder);
        QVERIFY(v.holder.isNull());
    }

    void files_with_nothing_to_show_open_no_window_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray png;
        {
            QBuffer b(&png);
            b.open(QIODevice::WriteOnly);
            QImage(20, 20, QImage::Format_RGB32).save(&b, "png");
        }
        QByteArray bmp(54, '\0');
        bmp[0] = 'B';
        bmp[1] = 'M';
        bmp[10] = 54;
        bmp[14] = 40;
        qToLittleEndian<qint32>(60000, bmp.data() + 18);
        qToLittleEndian<qint32>(60000, bmp.data() + 22);
        bmp[26] = 1;
        bmp[28] = 24;
        QTest::newRow("zero bytes") << "zero.jpg" << QByteArray() << "Bad file name: ";
        QTest::newRow("png named .gif") << "png.gif" << png << "Bad file name: ";
        QTest::newRow("forged bmp") << "forged.bmp" << bmp << "Bad file name: ";
        QTest::newRow("folder") << "folder.jpg" << QByteArray("/") << "Bad file name: ";
        QTest::newRow("missing") << "gone.jpg" << QByteArray("-") << "File not found ";
    }
    void files_with_nothing_to_show_open_no_window()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = dir + QLatin1Char('/') + name;
        if (bytes == "/")
            QDir().mkpath(path);
        else if (bytes != "-")
            test::write_file(path, bytes);
        QVERIFY(!test::open_picture_window(QLatin1Char('"') + path + QLatin1Char('"')));
        QCOMPARE(prompt.message_texts(), QStringList{message + path});
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(get_setting(key::last_picture_file), QString());
    }

    void a_damaged_picture_opens_at_its_size()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/cut.jpg"), 640, 480);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
        f.close();
        form_nf *w = test::open_picture_window(path);
        QVERIFY(w);
        QVERIFY(prompt.messages.isEmpty());
        QVERIFY(w->Imagex->picture().isNull());
        QCOMPARE(w->windowTitle(), QStringLiteral("cut.jpg"));
        QCOMPARE(w->picture_geometry(), (TwipRect{0, 0, 9600, 7200}));
        // Keys and resizes on an empty window change nothing and crash nothing.
        QTest::keyClick(w, '+');
        QTest::keyClick(w, 'W');
        QTest::keyClick(w, '/');
        w->resize(300, 300);
        QCoreApplication::processEvents();
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
    }

    void an_empty_path_opens_nothing()
    {
        test::FakeWindows layer;
        open_picture(QStringLiteral("\"\""), false);
        QVERIFY(!test::newest_picture_window());
        QCOMPARE(viewer().window_counter, 0);
    }

    void the_crop_request_is_kept_only_when_asked()
    {
        test::FakeWindows layer;
        const QString path = test::write_picture(dir + QStringLiteral("/k.jpg"), 60, 40);
        viewer().crop_request = true;
        open_picture(path, true);
        QVERIFY(test::newest_picture_window()->state().crop_mode);
        QVERIFY(test::newest_picture_window()->state().start_cropping);
        open_picture(path, false);
        QVERIFY(!test::newest_picture_window()->state().crop_mode);
    }

    void closing_ends_the_process_or_brings_the_panel_back()
    {
        test::FakeWindows layer;
        test::open_picture_window(test::write_picture(dir + QStringLiteral("/e.jpg"), 60, 40))->close();
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(layer.calls, QStringList{QStringLiteral("end_process")});

        layer.calls.clear();
        registry().main_panel_loaded = true;
        test::open_picture_window(test::write_picture(dir + QStringLiteral("/f.jpg"), 60, 40))->close();
        QCOMPARE(layer.calls, QStringList{QStringLiteral("show_main_panel")});

        layer.calls.clear();
        registry().main_panel_loaded = false;
        registry().thumbnails_open = true;
        test::open_picture_window(test::write_picture(dir + QStringLiteral("/g.jpg"), 60, 40))->close();
        QCOMPARE(layer.calls, QStringList{QStringLiteral("raise_thumbnail_sheet")});
    }
};

QTEST_MAIN(tst_form_nf)
#include "tst_form_nf.moc"
