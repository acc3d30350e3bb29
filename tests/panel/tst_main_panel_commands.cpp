// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "panel/main_panel_commands.h"
#include "panel/panel_state.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "viewer/viewer_state.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

using namespace lf;

namespace {
QStringList stored_keys()
{
    QSettings s(settings_file(), QSettings::IniFormat);
    return s.allKeys();
}
} // namespace

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

    void caption_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("own name") << "lumenfolio" << "Lumenfolio";
        QTest::newRow("other case") << "LumenFolio" << "Lumenfolio";
        QTest::newRow("renamed") << "viewer" << "Image viewer";
    }
    void caption()
    {
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QCOMPARE(panel_caption(title), caption);
    }

    void enabling()
    {
        QCOMPARE(panel_enabling(0, "").resume_slide_show, false);
        QCOMPARE(panel_enabling(3, "").resume_slide_show, true);
        QCOMPARE(panel_enabling(0, "").last_picture_buttons, false);
        QCOMPARE(panel_enabling(0, "/a.jpg").last_picture_buttons, true);
    }

    void interval_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: unchanged
        QTest::newRow("number") << "2500" << 2500;
        QTest::newRow("blanks around") << " 300 " << 300;
        QTest::newRow("blank") << "" << 0;
        QTest::newRow("only spaces") << "   " << 0;
        QTest::newRow("letters") << "abc" << -1;
        QTest::newRow("number and letters") << "12ab" << -1;
        QTest::newRow("negative") << "-5" << -1;
        QTest::newRow("2^40") << "1099511627776" << -1;
        QTest::newRow("power text") << "2^40" << -1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
    }
    void interval_text()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto v = interval_from_text(text);
        QCOMPARE(v.has_value(), expected >= 0);
        if (v)
            QCOMPARE(*v, expected);
    }

    void interval_saved_only_when_changed()
    {
        slides().interval_ms = 4000;
        save_interval_if_changed();
        QVERIFY(get_setting(key::interval).isEmpty());
        panel_state().interval_changed = true;
        save_interval_if_changed();
        QCOMPARE(get_setting(key::interval), QString("4000"));
        QVERIFY(!panel_state().interval_changed);
    }

    void options_write_when_they_change()
    {
        QVERIFY(set_panel_option(PanelOption::Random, true));
        QCOMPARE(get_setting(key::random), QString("-1"));
        QVERIFY(slides().random_order);
        QVERIFY(set_panel_option(PanelOption::AutoShow, true));
        QCOMPARE(get_setting(key::autom), QString("-1"));
        QVERIFY(set_panel_option(PanelOption::BlackScreen, true));
        QCOMPARE(get_setting(key::black_screen), QString("-1"));
        QVERIFY(panel_state().black_screen);

        // Unchanged flags are not written again; fit mode is, every time.
        save_setting(key::random, QString("x"));
        QVERIFY(!set_panel_option(PanelOption::Random, true));
        QCOMPARE(get_setting(key::random), QString("x"));
        save_setting(key::fit_mode, QString("x"));
        QVERIFY(!set_panel_option(PanelOption::FitMode, false));
        QCOMPARE(get_setting(key::fit_mode), QString("0"));
        QVERIFY(set_panel_option(PanelOption::FitMode, true));
        QVERIFY(viewer().fit_mode);

        set_sort_descending(true);
        set_sort_by_datetime(true);
        QCOMPARE(get_setting(key::sort_descending), QString("-1"));
        QCOMPARE(get_setting(key::sort_by_datetime), QString("-1"));
        QVERIFY(panel_state().sort_descending && panel_state().sort_by_datetime);
    }

    void reading_options_writes_nothing_and_resets_sorting()
    {
        save_setting(key::random, QString("-1"));
        save_setting(key::autom, QString("-1"));
        save_setting(key::fit_mode, QString("-1"));
        save_setting(key::black_screen, QString("0"));
        save_setting(key::sort_descending, QString("-1"));
        const QStringList before = stored_keys();
        panel_state().sort_descending = true;
        panel_state().sort_by_datetime = true;
        read_panel_options();
        QVERIFY(slides().random_order && slides().auto_advance && viewer().fit_mode);
        QVERIFY(!panel_state().black_screen);
        QVERIFY(!panel_state().sort_descending && !panel_state().sort_by_datetime);
        QCOMPARE(stored_keys(), before);
        QCOMPARE(get_setting(key::sort_descending), QString("-1"));
    }

    void blank_search_folder_becomes_home()
    {
        QCOMPARE(search_folder_for_panel(), QDir::homePath());
        QCOMPARE(get_setting(key::init_dir_for_search), QDir::homePath());
        app().init_dir_for_search = "  " + dir + " ";
        save_setting(key::init_dir_for_search, QString("kept"));
        QCOMPARE(search_folder_for_panel(), dir);
        QCOMPARE(get_setting(key::init_dir_for_search), QString("kept"));
    }

    void missing_last_picture_is_forgotten()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        app().last_picture_file = dir + "/gone.jpg";
        save_setting(key::last_picture_file, app().last_picture_file);
        QVERIFY(!open_last_picture());
        QCOMPARE(p.message_texts(), QStringList{"File \"" + dir + "/gone.jpg\" not found"});
        QVERIFY(app().last_picture_file.isEmpty());
        QVERIFY(get_setting(key::last_picture_file).isEmpty());
        QVERIFY(w.calls.isEmpty());
    }

    void open_last_picture_steps_back_in_a_running_show()
    {
        test::FakeWindows w;
        test::write_file(dir + "/a.jpg");
        app().last_picture_file = dir + "/a.jpg";
        slides().slide_show_active = true;
        slides().current_slide = 5;
        slides().go_backward = true;
        QVERIFY(open_last_picture());
        QCOMPARE(slides().current_slide, 4);
        QVERIFY(!slides().go_backward);
        QCOMPARE(w.calls, QStringList{"open_picture " + dir + "/a.jpg true"});
    }

    void delete_asks_then_keeps_a_copy()
    {
        test::ScriptedPrompt p;
        const QString pic = dir + "/a.jpg";
        test::write_file(pic, "picture");
        app().last_picture_file = pic;
        save_setting(key::last_picture_file, pic);

        QVERIFY(!delete_last_picture()); // default Cancel
        QCOMPARE(p.messages.size(), 1);
        const MessageRequest q = p.messages[0];
        QCOMPARE(q.text, "Do you really want to delete file " + pic + "?");
        QCOMPARE(q.title, QString("Deleting last picture"));
        QCOMPARE(q.buttons, Buttons::OkCancel);
        QCOMPARE(q.icon, Icon::Critical);
        QCOMPARE(q.default_button, 2);
        QVERIFY(QFile::exists(pic));

        p.answers = {Answer::Ok};
        QVERIFY(delete_last_picture());
        QVERIFY(!QFile::exists(pic));
        QFile copy(versions_folder(app().tmp_pic_dir, pic) + "/deleted/a.jpg");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("picture"));
        QCOMPARE(app().deleted_pictures, "|" + pic);
        QVERIFY(app().last_picture_file.isEmpty());
        QVERIFY(get_setting(key::last_picture_file).isEmpty());
    }

    void delete_keeps_the_picture_when_no_copy_can_be_made()
    {
        test::ScriptedPrompt p;
        p.answers = {Answer::Ok};
        const QString pic = dir + "/a.jpg";
        test::write_file(pic);
        app().last_picture_file = pic;
        app().tmp_pic_dir = dir + "/a.jpg/not-a-folder";
        QVERIFY(!delete_last_picture());
        QVERIFY(QFile::exists(pic));
        QCOMPARE(p.messages.size(), 2);
        QVERIFY(p.messages[1].text.startsWith("Error "));
        QCOMPARE(app().last_picture_file, pic);
    }

    void editor_paths_data()
    {
        QTest::addColumn<QString>("editor"); // "@" stands for the test folder
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << "  " << int(EditorOutcome::Missing)
                               << "Path of picture editor is missing.";
        QTest::newRow("missing") << "@/nothing" << int(EditorOutcome::Wrong)
                                 << "Path of picture editor is wrong.";
        QTest::newRow("a folder") << "@" << int(EditorOutcome::Wrong)
                                  << "Path of picture editor is wrong.";
        QTest::newRow("not executable") << "@/plain.txt" << int(EditorOutcome::Wrong)
                                        << "Path of picture editor is wrong.";
        QTest::newRow("a program") << "/bin/true" << int(EditorOutcome::Started) << "";
    }
    void editor_paths()
    {
        QFETCH(QString, editor);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        test::write_file(dir + "/plain.txt");
        app().last_picture_file = dir + "/a \"b\".jpg";
        editor.replace("@", dir);
        QCOMPARE(int(edit_last_picture(editor)), outcome);
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
        QCOMPARE(p.inputs[0].prompt, QString("New file name?"));
        QCOMPARE(p.inputs[0].title, QString("Renaming last file"));
        QCOMPARE(p.inputs[0].proposed, QString("old.jpg"));
        QCOMPARE(p.message_texts(), (QStringList{"File extension cannot be modified",
                                                 "Invalid file name", "Invalid file name"}));
        QVERIFY(QFile::exists(dir + "/new.JPG"));
        QVERIFY(QFile::exists(dir + "/taken.jpg"));
        QVERIFY(!QFile::exists(old_path));

        p.texts = {""};
        QCOMPARE(rename_last_picture(dir + "/new.JPG"), QString());
    }

    void run_slide_show_file_checks()
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
        QVERIFY(w.calls.contains("open_slide_show_window"));
    }

    void resume_hands_over_the_list()
    {
        test::FakeWindows w;
        viewer().handover_width = 700;
        slides().go_backward = true;
        resume_slide_show();
        QVERIFY(slides().slide_show_active);
        QVERIFY(!slides().go_backward);
        QCOMPARE(viewer().handover_width, 0);
        QCOMPARE(w.calls, QStringList{"open_slide_show_window"});
    }

    void search_folder_dialog()
    {
        test::ScriptedPrompt p;
        app().init_dir_for_search = dir;
        p.texts = {QString()};
        QCOMPARE(change_init_dir_for_search(), QString());
        QCOMPARE(p.folders[0].caption, QString("Select initial directory for search"));
        QCOMPARE(p.folders[0].start, dir);
        p.texts = {"/elsewhere"};
        QCOMPARE(change_init_dir_for_search(), QString("/elsewhere"));
        QCOMPARE(get_setting(key::init_dir_for_search), QString("/elsewhere"));
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
