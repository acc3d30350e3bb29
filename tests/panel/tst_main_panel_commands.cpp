// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "panel/main_panel_commands.h"
#include "panel/panel_state.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "viewer/viewer_state.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lf;

class tst_main_panel_commands : public QObject {
    Q_OBJECT
    QString dir;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
        dir = test::fresh_folder("pics");
    }

    void caption_and_enabling()
    {
        QCOMPARE(panel_caption("lumenfolio"), "Lumenfolio");
        QCOMPARE(panel_caption("LumenFolio"), "Lumenfolio");
        QCOMPARE(panel_caption("viewer"), "Image viewer");
        QVERIFY(!panel_enabling(0, "").resume_slide_show && panel_enabling(3, "").resume_slide_show);
        QVERIFY(!panel_enabling(0, "").last_picture_buttons && panel_enabling(0, "/a.jpg").last_picture_buttons);
    }

    void interval_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: unchanged
        QTest::newRow("number") << "2500" << 2500;
        QTest::newRow("blanks around") << " 300 " << 300;
        QTest::newRow("only spaces") << "   " << 0;
        QTest::newRow("number and letters") << "12ab" << -1;
        QTest::newRow("negative") << "-5" << -1;
        QTest::newRow("2^40") << "1099511627776" << -1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
    }
    void interval_text()
    {
        QFETCH(QString, text);
        QTEST(interval_from_text(text).value_or(-1), "expected");
    }

    void options_write_only_when_they_change()
    {
        slides().interval_ms = 4000;
        save_interval_if_changed();
        QVERIFY(get_setting(key::interval).isEmpty());
        panel_state().interval_changed = true;
        save_interval_if_changed();
        QCOMPARE(get_setting(key::interval), "4000");
        QVERIFY(!panel_state().interval_changed);

        QVERIFY(set_panel_option(PanelOption::Random, true) && slides().random_order);
        QVERIFY(set_panel_option(PanelOption::AutoShow, true));
        QVERIFY(set_panel_option(PanelOption::BlackScreen, true) && panel_state().black_screen);
        QCOMPARE(get_setting(key::random) + get_setting(key::autom) + get_setting(key::black_screen), "-1-1-1");
        save_setting(key::random, QString("x"));
        QVERIFY(!set_panel_option(PanelOption::Random, true));
        QCOMPARE(get_setting(key::random), "x");
        // Fit mode is written on every click.
        save_setting(key::fit_mode, QString("x"));
        QVERIFY(!set_panel_option(PanelOption::FitMode, false));
        QCOMPARE(get_setting(key::fit_mode), "0");
        QVERIFY(set_panel_option(PanelOption::FitMode, true) && viewer().fit_mode);
        set_sort_descending(true);
        set_sort_by_datetime(true);
        QCOMPARE(get_setting(key::sort_descending) + get_setting(key::sort_by_datetime), "-1-1");
        QVERIFY(panel_state().sort_descending && panel_state().sort_by_datetime);
    }

    void reading_options_writes_nothing_and_resets_sorting()
    {
        for (const char *k : {key::random, key::autom, key::fit_mode, key::sort_descending})
            save_setting(k, QString("-1"));
        save_setting(key::black_screen, QString("0"));
        const QByteArray before = test::read_bytes(settings_file());
        panel_state().sort_descending = panel_state().sort_by_datetime = true;
        read_panel_options();
        QVERIFY(slides().random_order && slides().auto_advance && viewer().fit_mode);
        QVERIFY(!panel_state().black_screen && !panel_state().sort_descending && !panel_state().sort_by_datetime);
        QCOMPARE(test::read_bytes(settings_file()), before);
    }

    void blank_search_folder_becomes_home()
    {
        QCOMPARE(search_folder_for_panel(), QDir::homePath());
        QCOMPARE(get_setting(key::init_dir_for_search), QDir::homePath());
        app().init_dir_for_search = "  " + dir + " ";
        save_setting(key::init_dir_for_search, QString("kept"));
        QCOMPARE(search_folder_for_panel(), dir);
        QCOMPARE(get_setting(key::init_dir_for_search), "kept");
    }

    void last_picture_opens_or_is_forgotten()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        app().last_picture_file = dir + "/gone.jpg";
        save_setting(key::last_picture_file, app().last_picture_file);
        QVERIFY(!open_last_picture());
        QCOMPARE(p.message_texts(), QStringList{"File \"" + dir + "/gone.jpg\" not found"});
        QVERIFY(app().last_picture_file.isEmpty() && get_setting(key::last_picture_file).isEmpty());
        QVERIFY(w.calls.isEmpty());
        // In a running show it steps back one slide.
        test::write_file(dir + "/a.jpg");
        app().last_picture_file = dir + "/a.jpg";
        slides().slide_show_active = slides().go_backward = true;
        slides().current_slide = 5;
        QVERIFY(open_last_picture());
        QCOMPARE(slides().current_slide, 4);
        QVERIFY(!slides().go_backward);
        QCOMPARE(w.calls, QStringList{"open_picture " + dir + "/a.jpg true"});
    }

    // A line whose file has gone (or never held a picture) must not leave
    // the user with a hidden panel and nothing on screen.
    void search_result_opens_only_a_picture_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no such file
        QTest::addColumn<QString>("message");
        QTest::newRow("picture") << test::jpeg_bytes() << QString();
        QTest::newRow("gone") << QByteArray() << "File not found ";
        QTest::newRow("text named .jpg") << QByteArray("notes") << "Bad file name: ";
    }
    void search_result_opens_only_a_picture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        test::FakeWindows w;
        test::ScriptedPrompt p;
        const QString path = dir + "/b.jpg";
        if (!bytes.isEmpty())
            test::write_file(path, bytes);
        app().last_picture_file = "/before.jpg";
        QCOMPARE(open_search_result(path), message.isEmpty());
        QCOMPARE(w.calls, message.isEmpty() ? QStringList{"open_picture " + path + " true"} : QStringList{});
        QCOMPARE(app().last_picture_file, message.isEmpty() ? path : "/before.jpg");
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList{} : QStringList{message + path});
    }

    void delete_asks_then_keeps_a_copy()
    {
        test::ScriptedPrompt p;
        const QString pic = dir + "/a.jpg";
        test::write_file(pic, "picture");
        app().last_picture_file = pic;
        save_setting(key::last_picture_file, pic);
        QVERIFY(!delete_last_picture()); // default Cancel
        const MessageRequest q = p.messages.value(0);
        QCOMPARE(q.text, "Do you really want to delete file " + pic + "?");
        QCOMPARE(q.title, "Deleting last picture");
        QVERIFY(q.buttons == Buttons::OkCancel && q.icon == Icon::Critical && q.default_button == 2);
        QVERIFY(QFile::exists(pic));

        p.answers = {Answer::Ok};
        QVERIFY(delete_last_picture());
        QVERIFY(!QFile::exists(pic));
        QCOMPARE(test::read_bytes(versions_folder(app().tmp_pic_dir, pic) + "/deleted/a.jpg"), "picture");
        QCOMPARE(app().deleted_pictures, "|" + pic);
        QVERIFY(app().last_picture_file.isEmpty() && get_setting(key::last_picture_file).isEmpty());

        // No copy can be made: the picture stays.
        test::write_file(pic);
        app().last_picture_file = pic;
        app().tmp_pic_dir = pic + "/not-a-folder";
        p.answers = {Answer::Ok};
        QVERIFY(!delete_last_picture());
        QVERIFY(QFile::exists(pic));
        QVERIFY(p.messages.last().text.startsWith("Error "));
        QCOMPARE(app().last_picture_file, pic);
    }

    void editor_paths_data()
    {
        QTest::addColumn<QString>("editor"); // "@" stands for the test folder
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        const QString wrong = "Path of picture editor is wrong.";
        QTest::newRow("blank") << "  " << int(EditorOutcome::Missing) << "Path of picture editor is missing.";
        QTest::newRow("missing") << "@/nothing" << int(EditorOutcome::Wrong) << wrong;
        QTest::newRow("a folder") << "@" << int(EditorOutcome::Wrong) << wrong;
        QTest::newRow("not executable") << "@/plain.txt" << int(EditorOutcome::Wrong) << wrong;
        QTest::newRow("a program") << "/bin/true" << int(EditorOutcome::Started) << "";
    }
    void editor_paths()
    {
        QFETCH(QString, editor);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        test::write_file(dir + "/plain.txt");
        app().last_picture_file = dir + "/a \"b\".jpg";
        QTEST(int(edit_last_picture(editor.replace("@", dir))), "outcome");
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(get_setting(key::picture_editor).isEmpty(), !message.isEmpty());
    }

    void rename_rules()
    {
        test::ScriptedPrompt p;
        const QString old_path = dir + "/old.jpg";
        test::write_file(old_path);
        test::write_file(dir + "/taken.jpg");
        p.texts = {"new.png", "sub/new.jpg", "taken.jpg", " new.JPG "};
        QCOMPARE(rename_last_picture(old_path), dir + "/new.JPG");
        QCOMPARE(p.inputs.size(), 4);
        const InputRequest &q = p.inputs[0];
        QCOMPARE(QStringList({q.prompt, q.title, q.proposed}), (QStringList{"New file name?", "Renaming last file",
                                                                           "old.jpg"}));
        QCOMPARE(p.message_texts(),
                 (QStringList{"File extension cannot be modified", "Invalid file name", "Invalid file name"}));
        QVERIFY(QFile::exists(dir + "/new.JPG") && QFile::exists(dir + "/taken.jpg") && !QFile::exists(old_path));
        p.texts = {""};
        QCOMPARE(rename_last_picture(dir + "/new.JPG"), QString());
    }

    void slide_show_commands()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        test::write_file(dir + "/list.txt");
        test::write_file(dir + "/shown.jpg");
        test::write_file(dir + "/show.SSF", (dir + "/shown.jpg|0\r\n").toUtf8());
        save_setting(key::last_slide_show, dir + "/show.SSF");
        p.texts = {dir + "/none.ssf", dir + "/list.txt", dir + "/show.SSF"};
        open_slide_show_command();
        open_slide_show_command();
        QCOMPARE(p.message_texts(), (QStringList{"File not found", "Not a valid slide show file"}));
        QVERIFY(w.calls.isEmpty());
        open_slide_show_command();
        QCOMPARE(p.files[2].start, dir + "/show.SSF");
        QCOMPARE(slides().slide_show_file, dir + "/show.SSF");
        QVERIFY(slides().own_file);
        QCOMPARE(w.calls, QStringList{"open_slide_show_window"});

        viewer().handover_width = 700;
        slides().slide_show_active = false;
        slides().go_backward = true;
        resume_slide_show();
        QVERIFY(slides().slide_show_active && !slides().go_backward);
        QCOMPARE(viewer().handover_width, 0);
        QCOMPARE(w.calls.size(), 2);
    }

    void search_folder_dialog()
    {
        test::ScriptedPrompt p;
        app().init_dir_for_search = dir;
        p.texts = {QString(), "/elsewhere"};
        QCOMPARE(change_init_dir_for_search(), QString());
        QCOMPARE(p.folders[0].caption, "Select initial directory for search");
        QCOMPARE(p.folders[0].start, dir);
        QCOMPARE(change_init_dir_for_search(), "/elsewhere");
        QCOMPARE(get_setting(key::init_dir_for_search), "/elsewhere");
    }

    void pasted_bitmap_opens_from_the_temp_folder()
    {
        test::FakeWindows w;
        QVERIFY(!open_pasted_picture(QImage()));
        QImage img(4, 3, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(open_pasted_picture(img));
        const QString path = app().tmp_pic_dir + "/clibpoard_image.bmp";
        QCOMPARE(QImage(path).size(), QSize(4, 3));
        QCOMPARE(w.calls, QStringList{"open_picture " + path + " false"});
    }
};

QTEST_GUILESS_MAIN(tst_main_panel_commands)
#include "tst_main_panel_commands.moc"
