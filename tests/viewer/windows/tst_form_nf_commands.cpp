// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "fake_windows.h"
#include "motion/motion_state.h"
#include "motion/windows/form_nf2.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "picture_window_fixture.h"
#include "test_env.h"
#include "test_windows.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"
#include "viewer/windows/image_control.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImageWriter>
#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace lf;

namespace {


// Records, and can register a slide show window as if one had opened.
struct OpensShows : test::FakeWindows {
    bool opens = false;
    void open_slide_show_window() override
    {
        FakeWindows::open_slide_show_window();
        if (opens)
            add_tag(registry().open_slide_show_windows, QStringLiteral("0001"));
    }
};

} // namespace

class tst_form_nf_commands : public QObject {
    Q_OBJECT
    QString dir;

private Q_SLOTS:
    void init()
    {
        dir = test::picture_window_setup();
    }
    void cleanup() { test::delete_all_windows(); }

    void next_and_previous_wrap_around_the_folder()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        test::write_picture(dir + QStringLiteral("/b.jpg"), 60, 40);
        test::write_picture(dir + QStringLiteral("/c.bmp"), 60, 40, "bmp");
        test::write_file(dir + QStringLiteral("/notes.txt"));
        form_nf *w = test::open_picture_window(dir + QStringLiteral("/b.jpg"));
        // Once b is on screen, c and a are read ahead: the step decodes nothing.
        QTRY_VERIFY(w->stepper().pictures().held() == 2 && w->stepper().pictures().idle());
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/c.bmp"));
        QCOMPARE(w->stepper().hits(), 1);
        QTest::keyClick(w, Qt::Key_PageDown); // past the last: the first
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/a.jpg"));
        QTest::keyClick(w, Qt::Key_PageUp); // before the first: the last
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/c.bmp"));
        w->m_open_previous_picture->trigger();
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/b.jpg"));
        QCOMPARE(w->tag(), QStringLiteral("0001"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        QCOMPARE(w->folder_list().paths.size(), 3);
        QVERIFY(prompt.messages.isEmpty());

        // The list is taken once: a picture added later is not seen, and a
        // removed one reports itself and leaves the window usable.
        test::write_picture(dir + QStringLiteral("/b2.jpg"), 60, 40);
        QVERIFY(QFile::remove(dir + QStringLiteral("/c.bmp")));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/c.bmp"));
        QCOMPARE(prompt.message_texts(), QStringList{"File not found " + dir + "/c.bmp"});
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->picture_path(), dir + QStringLiteral("/a.jpg"));
    }

    void a_picture_not_in_its_folder_list_is_not_found()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        const QString gone = test::write_picture(dir + QStringLiteral("/gone.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(gone);
        QVERIFY(QFile::remove(gone));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(prompt.message_texts(), QStringList{"File not found"});
        QCOMPARE(w->picture_path(), gone);
        QVERIFY(!w->folder_list().ready);
    }

    void save_items_shown_before_the_menu_opens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("action"); // what happens before the menu opens
        QTest::addColumn<bool>("jpeg_format");
        QTest::addColumn<bool>("resized");
        QTest::addColumn<bool>("cropped");
        QTest::newRow("gif as loaded") << "p.gif" << "" << true << false << false;
        QTest::newRow("GIF upper case") << "P.GIF" << "" << true << false << false;
        QTest::newRow("bmp") << "p.bmp" << "" << true << false << false;
        QTest::newRow("jpg") << "p.JPG" << "" << false << false << false;
        QTest::newRow("bmp after a resize") << "p.bmp" << "resize" << false << true << false;
        QTest::newRow("bmp zoomed") << "p.bmp" << "zoom" << false << true << false;
        QTest::newRow("bmp cropped") << "p.bmp" << "crop" << false << false << true;
        QTest::newRow("big jpg shrunk") << "big.jpg" << "" << false << true << false;
    }
    void save_items_shown_before_the_menu_opens()
    {
        test::FakeWindows layer;
        QFETCH(QString, name);
        QFETCH(QString, action);
        const QString ext = name.right(3).toLower();
        const bool big = name.startsWith(QLatin1String("big"));
        const QString path = dir + QLatin1Char('/') + name;
        if (ext == QLatin1String("gif"))
            test::write_file(path, test::gif_bytes());
        else
            test::write_picture(path, big ? 2000 : 300, big ? 1500 : 200,
                          ext == QLatin1String("jpg") ? "jpeg" : "bmp");
        form_nf *w = test::open_picture_window(path);
        if (action == QLatin1String("resize")) {
            w->resize(500, 200);
            QTRY_VERIFY(w->state().rescaled);
        } else if (action == QLatin1String("zoom")) {
            QTest::keyClick(w, '+');
        } else if (action == QLatin1String("crop")) {
            QTest::keyClick(w, 'c');
            w->resize(150, 100);
            QTRY_VERIFY(w->state().cropped);
        }
        w->open_popup(QPoint(10, 10));
        QTEST(w->m_save_in_jpeg_format->isVisible(), "jpeg_format");
        QTEST(w->m_save_jpeg_resized->isVisible(), "resized");
        QTEST(w->m_save_cropped_image_as->isVisible(), "cropped");
        QVERIFY(w->m_popup->isVisible());
        w->m_popup->close();
    }

    void crop_mode_keys_and_copying()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/k.jpg"), 300, 200));
        QVERIFY(!w->state().crop_mode);
        QTest::keyClick(w, 'c');
        QVERIFY(w->state().crop_mode);
        QVERIFY(w->m_allow_cropping->isChecked());
        QCOMPARE(w->cursor().shape(), Qt::SizeAllCursor);
        QVERIFY(!w->Imagex->testAttribute(Qt::WA_TransparentForMouseEvents));

        // "+" and "-" leave window and picture as they are in crop mode.
        const TwipRect window = outer_geometry(w);
        const TwipRect picture = w->picture_geometry();
        QTest::keyClick(w, '+');
        QTest::keyClick(w, '-');
        QCOMPARE(outer_geometry(w), window);
        QCOMPARE(w->picture_geometry(), picture);

        QTest::keyClick(w, 'C', Qt::ShiftModifier);
        QVERIFY(!w->state().crop_mode);
        QVERIFY(!w->m_allow_cropping->isChecked());
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!w->state().crop_mode); // copied, not toggled
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(300, 200));
        w->m_allow_cropping->trigger();
        QVERIFY(w->state().crop_mode);
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(w->state().crop_mode);

        // A reload ends crop mode.
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(!w->state().crop_mode);
        QVERIFY(!w->m_allow_cropping->isChecked());
    }

    void fill_screen_and_escape()
    {
        test::FakeWindows layer;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/f.jpg"), 300, 200));
        QTest::keyClick(w, '*');
        const TwipRect g = outer_geometry(w);
        QCOMPARE(g.left, 0);
        QCOMPARE(g.top, 0);
        QCOMPARE(g.width, 19200);
        QCOMPARE(w->picture_geometry().width, 19200 - 120);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(layer.calls, QStringList{"end_process"});
    }

    void jpeg_quality_answers_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("quality");
        QTest::newRow("10") << QStringList{"10"} << QStringList{} << 10;
        QTest::newRow("99") << QStringList{"99"} << QStringList{} << 99;
        QTest::newRow("9, then 100, then 50") << QStringList{"9", "100", "50"}
                                              << QStringList{"Invalid value: 9", "Invalid value: 100"} << 50;
        QTest::newRow("abc, then cancel") << QStringList{"abc", ""}
                                          << QStringList{"Invalid value: abc"} << 80;
        QTest::newRow("50.5 rounds") << QStringList{"50.5"} << QStringList{} << 51;
        QTest::newRow("cancel") << QStringList{""} << QStringList{} << 80;
    }
    void jpeg_quality_answers()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        QFETCH(QStringList, answers);
        for (const QString &a : answers)
            prompt.texts.push_back(a);
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/q.jpg"), 60, 40));
        w->m_change_jpg_quality->trigger();
        QTEST(prompt.message_texts(), "messages");
        QFETCH(int, quality);
        QCOMPARE(prompt.inputs.first().title, QStringLiteral("Set new JPEG quality"));
        QCOMPARE(prompt.inputs.first().prompt, QStringLiteral("New quality (min=10, max=99, suggested=80)?"));
        QCOMPARE(prompt.inputs.first().proposed, QStringLiteral("80"));
        QCOMPARE(viewer().jpeg_quality, quality);
        QCOMPARE(get_setting(key::jpeg_quality), QString::number(quality));
        QCOMPARE(w->m_change_jpg_quality->text(),
                 QStringLiteral("Change quality of saved JPEG pictures (now %1)").arg(quality));
    }

    void delete_keeps_a_backup_then_exits()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/d.jpg"), 60, 40);
        const QByteArray bytes = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        form_nf *w = test::open_picture_window(path);
        QTest::keyClick(w, Qt::Key_Delete); // Cancel is the default
        QVERIFY(QFile::exists(path));
        QCOMPARE(prompt.messages.size(), 1);
        const MessageRequest &q = prompt.messages.first();
        QCOMPARE(q.text, "Do you really want to delete file " + path + "?");
        QCOMPARE(q.title, QStringLiteral("Deleting last picture"));
        QCOMPARE(q.buttons, Buttons::OkCancel);
        QCOMPARE(q.icon, Icon::Critical);
        QCOMPARE(q.default_button, 2);

        // With the panel loaded the end-of-window rule brings it back (and
        // the temporary folder with the backup stays).
        registry().main_panel_loaded = true;
        prompt.answers.push_back(Answer::Ok);
        w->m_delete_pic->trigger();
        QVERIFY(!QFile::exists(path));
        QFile backup(versions_folder(app().tmp_pic_dir, path) + QStringLiteral("/deleted/d.jpg"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), bytes);
        QCOMPARE(app().deleted_pictures, "|" + path);
        QCOMPARE(get_setting(key::last_picture_file), QString());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(layer.calls, QStringList{"show_main_panel"});
    }

    void delete_of_a_vanished_picture_reports_and_stays()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/v.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(path);
        QVERIFY(QFile::remove(path));
        prompt.answers.push_back(Answer::Ok);
        QTest::keyClick(w, Qt::Key_Delete);
        QCOMPARE(prompt.messages.size(), 2);
        QVERIFY(prompt.messages.last().text.startsWith(QLatin1String("Error ")));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        QVERIFY(app().deleted_pictures.isEmpty());
        QVERIFY(layer.calls.isEmpty());
    }

    void rename_keeps_the_extension_and_puts_the_path_on_the_clipboard()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/a.jpg"), 60, 40);
        test::write_picture(dir + QStringLiteral("/taken.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(path);
        for (const char *a : {"b.gif", "../x.jpg", "taken.jpg", "b.JPG"})
            prompt.texts.push_back(QLatin1String(a));
        QTest::keyClick(w, 'n');
        QCOMPARE(prompt.inputs.first().title, QStringLiteral("Renaming last file"));
        QCOMPARE(prompt.inputs.first().prompt, QStringLiteral("New file name?"));
        QCOMPARE(prompt.inputs.first().proposed, QStringLiteral("a.jpg"));
        QCOMPARE(prompt.message_texts(), (QStringList{"File extension cannot be modified",
                                                      "Invalid file name", "Invalid file name"}));
        const QString renamed = dir + QStringLiteral("/b.JPG");
        QVERIFY(QFile::exists(renamed));
        QVERIFY(!QFile::exists(path));
        QVERIFY(QFile::exists(dir + QStringLiteral("/taken.jpg")));
        QCOMPARE(w->picture_path(), renamed);
        QCOMPARE(QGuiApplication::clipboard()->text(), renamed);
        QCOMPARE(w->windowTitle(), QStringLiteral("b.jpg"));

        // Blank answers cancel.
        prompt.texts.push_back(QStringLiteral("   "));
        w->m_rename_pic->trigger();
        QCOMPARE(w->picture_path(), renamed);
    }

    void editor_messages()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/e.jpg"), 60, 40));
        QTest::keyClick(w, 'e');
        save_setting(key::picture_editor, dir + QStringLiteral("/no-editor"));
        QTest::keyClick(w, 'E');
        QCOMPARE(prompt.message_texts(),
                 (QStringList{"Picture editor path not assigned. Go to Image Viewer main panel and assign it.",
                              "Path of picture editor is wrong. Go to main menu and reassign it."}));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
    }

    void open_another_picture()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString first = test::write_picture(dir + QStringLiteral("/1.jpg"), 60, 40);
        const QString second = test::write_picture(dir + QStringLiteral("/2.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(first);
        slides().slide_show_active = true;
        w->m_open_another_picture_without_closing_this_one->trigger(); // cancelled
        QVERIFY(!slides().slide_show_active);
        QCOMPARE(prompt.files.size(), 1);
        QCOMPARE(prompt.files.first().kind, FileRequest::Open);
        QCOMPARE(prompt.files.first().start, first);
        QVERIFY(layer.calls.isEmpty());
        prompt.texts.push_back(second);
        w->m_open_another_picture_without_closing_this_one->trigger();
        QCOMPARE(layer.calls, QStringList{"open_picture " + second + " false"});
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        prompt.texts.push_back(second);
        w->m_close_this_picture_and_open_another_one->trigger();
        QVERIFY(registry().open_picture_windows.isEmpty());
    }

    void background_color_is_stored_as_a_number()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/b.jpg"), 60, 40));
        w->m_change_back_color->trigger(); // cancelled
        QCOMPARE(get_setting(key::pic_back_color), QString());
        prompt.colors.push_back(QColor(1, 2, 3));
        w->m_change_back_color->trigger();
        QCOMPARE(get_setting(key::pic_back_color), QString::number(1 + 2 * 256 + 3 * 65536));
        QCOMPARE(w->Picture1->palette().color(QPalette::Window), QColor(1, 2, 3));
        QCOMPARE(prompt.color_titles.value(0), QStringLiteral("Change background color"));
    }

    void full_screen_hand_over()
    {
        test::FakeWindows layer;
        const QString path = test::write_picture(dir + QStringLiteral("/full.jpg"), 300, 200);
        form_nf *w = test::open_picture_window(path);
        const TwipRect g = outer_geometry(w);
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(layer.calls, (QStringList{"open_slide_show_window", "end_process"}));
        ViewerState &v = viewer();
        QVERIFY(v.picture_from_holder);
        QCOMPARE(v.holder.size(), QSize(300, 200));
        QCOMPARE(v.anchor_left, g.left + 60);
        QCOMPARE(v.anchor_top, g.top + 345);
        QCOMPARE(v.handover_width, 4500);
        QCOMPARE(v.handover_height, 3000);
        QCOMPARE(app().last_picture_file, path);
        QVERIFY(registry().open_picture_windows.isEmpty());
    }

    void hide_borders_hands_over_to_a_moving_window_and_back()
    {
        test::TestWindows layer;
        const QString path = test::write_picture(dir + QStringLiteral("/m.jpg"), 300, 200);
        form_nf *w = test::open_picture_window(path);
        QTest::keyClick(w, 'h');
        QTRY_COMPARE(test::visible_windows<form_nf>().size(), 0);
        QCOMPARE(test::visible_windows<form_nf2>().size(), 1);
        form_nf2 *m = test::visible_windows<form_nf2>().first();
        QCOMPARE(m->picture().size(), QSize(300, 200));
        QCOMPARE(m->size(), QSize(300, 200));
        QCOMPARE(m->picture_path(), path);
        QVERIFY(!m->Timer1->isActive());
        QVERIFY(registry().open_picture_windows.isEmpty());
        QCOMPARE(registry().open_moving_windows, QStringLiteral("|0001"));

        QTest::keyClick(m, 'H');
        QTRY_COMPARE(test::visible_windows<form_nf2>().size(), 0);
        QCOMPARE(test::visible_windows<form_nf>().size(), 1);
        form_nf *back = test::visible_windows<form_nf>().first();
        QCOMPARE(back->picture_path(), path);
        QCOMPARE(back->Imagex->picture().size(), QSize(300, 200));
        QCOMPARE(back->picture_geometry(), (TwipRect{0, 0, 4500, 3000}));
        QVERIFY(registry().open_moving_windows.isEmpty());
        QCOMPARE(layer.ends, 0);

        // "M" sets the next moving window drifting.
        QTest::keyClick(back, 'm');
        QTRY_COMPARE(test::visible_windows<form_nf2>().size(), 1);
        QVERIFY(motion().motion_on);
        QVERIFY(test::visible_windows<form_nf2>().first()->Timer1->isActive());
        QCOMPARE(layer.ends, 0);
    }

    void restore_swaps_with_the_backup()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const QString path = test::write_picture(dir + QStringLiteral("/r.jpg"), 300, 200);
        form_nf *w = test::open_picture_window(path);
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(prompt.message_texts(), QStringList{"Backup file with same file name not found"});
        QVERIFY(make_versions_folder(app().tmp_pic_dir, path));
        test::write_picture(first_backup_for(app().tmp_pic_dir, path), 100, 50);
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->Imagex->picture().size(), QSize(100, 50));
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->Imagex->picture().size(), QSize(300, 200));
        QCOMPARE(prompt.messages.size(), 1);
    }

    void folder_commands_hand_over_to_their_windows()
    {
        OpensShows layer;
        test::ScriptedPrompt prompt;
        test::write_picture(dir + QStringLiteral("/s1.jpg"), 60, 40);
        form_nf *w = test::open_picture_window(test::write_picture(dir + QStringLiteral("/s2.jpg"), 60, 40));
        // The fake opens no slide show window: the picture stays.
        QTest::keyClick(w, 's');
        QVERIFY(layer.calls.contains("please_wait Please wait..."));
        QVERIFY(layer.calls.contains("open_slide_show_window"));
        QCOMPARE(slides().slide_count, 2);
        QVERIFY(w->isVisible());
        QVERIFY(!registry().busy_opening);

        layer.calls.clear();
        layer.opens = true;
        w->m_slide_show_all_pic_in_same_dir->trigger();
        QVERIFY(registry().open_picture_windows.isEmpty());
        QVERIFY(!layer.ended);
    }
};

QTEST_MAIN(tst_form_nf_commands)
#include "tst_form_nf_commands.moc"
