// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "panel/information_texts.h"
#include "panel/main_panel_commands.h"
#include "panel/main_panel_layout.h"
#include "panel/panel_state.h"
#include "panel/version_history.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "viewer/viewer_state.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

class tst_main_panel : public QObject {
    Q_OBJECT
    QString dir;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
        dir = test::fresh_folder("pics");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void caption()
    {
        QCOMPARE(QStringList({panel_caption("lumenfolio"), panel_caption("LumenFolio"), panel_caption("viewer")}),
                 (QStringList{"Lumenfolio", "Lumenfolio", "Image viewer"}));
    }

    void interval_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: not taken
        for (const auto &[text, value] : {std::pair<const char *, int>{"2500", 2500}, {" 300 ", 300}, {"   ", 0},
                                          {"12ab", -1}, {"-5", -1}, {"1099511627776", -1}, {"2147483647", 2147483647}})
            QTest::newRow(text) << QString(text) << value;
    }
    void interval_text()
    {
        QFETCH(QString, text);
        QTEST(interval_from_text(text).value_or(-1), "expected");
    }

    // A flag is written when it changes; fit mode on every click.
    void options_write_only_when_they_change()
    {
        QVERIFY(set_panel_option(PanelOption::BlackScreen, true) && panel_state().black_screen);
        QVERIFY(set_panel_option(PanelOption::Random, true) && slides().random_order);
        QCOMPARE(get_setting(key::black_screen) + get_setting(key::random), "-1-1");
        save_setting(key::random, QString("x"));
        save_setting(key::fit_mode, QString("x"));
        QVERIFY(!set_panel_option(PanelOption::Random, true));
        QVERIFY(!set_panel_option(PanelOption::FitMode, false));
        QCOMPARE(get_setting(key::random) + get_setting(key::fit_mode), "x0");
        QVERIFY(set_panel_option(PanelOption::FitMode, true) && viewer().fit_mode);
    }

    // Blank means home (saved); otherwise the setting is left as it is. The dialog starts there.
    void search_folder()
    {
        test::ScriptedPrompt p;
        QCOMPARE(search_folder_for_panel(), QDir::homePath());
        QCOMPARE(get_setting(key::init_dir_for_search), QDir::homePath());
        app().init_dir_for_search = "  " + dir + " ";
        save_setting(key::init_dir_for_search, QString("kept"));
        QCOMPARE(search_folder_for_panel(), dir);
        QCOMPARE(get_setting(key::init_dir_for_search), "kept");
        app().init_dir_for_search = dir;
        p.texts = {QString(), "/elsewhere"};
        QCOMPARE(change_init_dir_for_search(), QString());
        QCOMPARE(p.folders[0].caption + ": " + p.folders[0].start, "Select initial directory for search: " + dir);
        QCOMPARE(change_init_dir_for_search(), "/elsewhere");
        QCOMPARE(get_setting(key::init_dir_for_search), "/elsewhere");
    }

    void search_results_and_last_picture_open()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        // A search line whose file has gone or holds no picture opens nothing.
        test::write_file(dir + "/notes.jpg", "notes");
        app().last_picture_file = "/before.jpg";
        QVERIFY(!open_search_result(dir + "/gone.jpg") && !open_search_result(dir + "/notes.jpg"));
        QCOMPARE(p.message_texts(),
                 (QStringList{"File not found " + dir + "/gone.jpg", "Bad file name: " + dir + "/notes.jpg"}));
        QVERIFY(w.calls.isEmpty() && app().last_picture_file == "/before.jpg");
        test::write_file(dir + "/b.jpg", test::jpeg_bytes());
        QVERIFY(open_search_result(dir + "/b.jpg"));
        QCOMPARE(w.calls, QStringList{"open_picture " + dir + "/b.jpg true"});
        QCOMPARE(get_setting(key::last_picture_file), dir + "/b.jpg");

        app().last_picture_file = dir + "/gone.jpg";
        save_setting(key::last_picture_file, app().last_picture_file);
        QVERIFY(!open_last_picture());
        QCOMPARE(p.message_texts().last(), "File \"" + dir + "/gone.jpg\" not found");
        QVERIFY(app().last_picture_file.isEmpty() && get_setting(key::last_picture_file).isEmpty());
        QCOMPARE(w.calls.size(), 1);
        // In a running show it steps back one slide.
        test::write_file(dir + "/a.jpg");
        app().last_picture_file = dir + "/a.jpg";
        slides().slide_show_active = slides().go_backward = true;
        slides().current_slide = 5;
        QVERIFY(open_last_picture());
        QVERIFY(slides().current_slide == 4 && !slides().go_backward);
        QCOMPARE(w.calls.last(), "open_picture " + dir + "/a.jpg true");
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
        QCOMPARE(q.title + ": " + q.text, "Deleting last picture: Do you really want to delete file " + pic + "?");
        QVERIFY(q.buttons == Buttons::OkCancel && q.icon == Icon::Critical && q.default_button == 2);
        QVERIFY(QFile::exists(pic));

        p.answers = {Answer::Ok};
        QVERIFY(delete_last_picture() && !QFile::exists(pic));
        QCOMPARE(test::read_bytes(versions_folder(app().tmp_pic_dir, pic) + "/deleted/a.jpg"), "picture");
        QCOMPARE(app().deleted_pictures, "|" + pic);
        QVERIFY(app().last_picture_file.isEmpty() && get_setting(key::last_picture_file).isEmpty());

        // No copy can be made: the picture stays.
        test::write_file(pic);
        app().last_picture_file = pic;
        app().tmp_pic_dir = pic + "/not-a-folder";
        p.answers = {Answer::Ok};
        QVERIFY(!delete_last_picture() && QFile::exists(pic) && app().last_picture_file == pic);
        QVERIFY(p.messages.last().text.startsWith("Error "));
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
        QVERIFY(slides().slide_show_file == dir + "/show.SSF" && slides().own_file);
        QCOMPARE(w.calls, QStringList{"open_slide_show_window"});

        viewer().handover_width = 700;
        slides().slide_show_active = false;
        slides().go_backward = true;
        resume_slide_show();
        QVERIFY(slides().slide_show_active && !slides().go_backward);
        QCOMPARE(viewer().handover_width, 0);
        QCOMPARE(w.calls.size(), 2);
    }

    // In twips with find labels 450, 465 and 480 wide; controls inside a
    // frame are placed relative to it.
    void places_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<lf::TwipRect>("rect");
        const std::pair<const char *, TwipRect> rows[] = {
            {"fra_pictures", {60, 60, 2680, 3420}},        {"t_search_string_1", {585, 2025, 2050, 240}},
            {"t_search_string_3", {615, 2595, 2020, 240}}, {"option_or", {1290, 90, 1110, 240}},
            {"c_fit_mode", {5510, 1515, 2680, 240}},       {"b_rename_last_pic", {7290, 3570, 900, 300}},
            {"t_last_thumbnail_file", {1905, 4260, 6285, 300}}, {"List1", {60, 5580, 8130, 2400}}};
        for (const auto &[name, rect] : rows)
            QTest::newRow(name) << QString(name) << rect;
    }
    void places()
    {
        QFETCH(QString, name);
        MainPanelMeasures m;
        m.find_label_widths = {450, 465, 480};
        const MainPanelLayout l = main_panel_layout(m);
        QTEST(l.rects.value(name), "rect");
        QCOMPARE(QSize(l.client_width, l.client_height), QSize(8250, 8070));
        QCOMPARE(main_panel_height(6000, false), 6495);
        QCOMPARE(main_panel_height(6000, true), 6845);
    }

    void window_texts()
    {
        const QString text = version_history_window_text();
        QVERIFY(text.startsWith("   LUMENFOLIO VERSION HISTORY \r\n\r\nCurrent version is " + current_version()
                                + "\r\n\r\nIt includes the following changes (F = bug fixed, I = improvement, N = new "
                                  "function)\r\n"
                                + QString(84, '-') + "\r\n23^"));
        QVERIFY(text.endsWith("\r\n------------------------- VERSION 2.2.0 -----------------------------\r\n"
                              "[end of version history]"));
        QCOMPARE(version_history_window_title(), "Lumenfolio - Version history");
        const QString about = about_text("/usr/share/lumenfolio/lumenfolio-source.tar.xz");
        QVERIFY(about.startsWith("Lumenfolio version " + current_version() + "\r\n\r\n"));
        QVERIFY(about.contains("GNU General Public License") && !about.contains("All rights reserved"));
        QVERIFY(about.contains(":\r\n/usr/share/lumenfolio/lumenfolio-source.tar.xz\r\n"));
        QCOMPARE(about_title(), "About Lumenfolio");
        QVERIFY(help_text({}).startsWith("Sorry, help is under construction. Use the mouse right button to see the "
                                         "options available in each window.\r\n"));
        QVERIFY(help_text("/m.html").endsWith("Press OK to open it in your browser."));
        // The current version is read from the newest entry.
        QCOMPARE(version_history_text(1, {"18^080101.1) N: New.", "17^070512.1) F: x."}), "4.0.18 (01/Jan/2008)");
        QCOMPARE(version_history_text(-7, {"03^101231.2) F: x."}), "4.0.03 (31/Dec/2010)");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(version_history_text(1, {"17^070512.1) F: x."}), "4.0.17 (12/Mai/2007)");
    }

    // The manual beside an installed program (<prefix>/bin, <prefix>/share) or in the build folder.
    void data_files_and_command_line()
    {
        QTemporaryDir root;
        const QString installed = root.filePath("usr/share/lumenfolio/manual.html");
        const QString built = root.filePath("build/share/lumenfolio/manual.html");
        QVERIFY(QDir(root.path()).mkpath("usr/bin") && QDir(root.path()).mkpath("build"));
        test::write_file(installed);
        test::write_file(root.filePath("share/manual.html"));
        QCOMPARE(program_data_file(root.filePath("usr/bin"), "manual.html"), installed);
        QCOMPARE(program_data_file(root.filePath("build"), "manual.html"), QString());
        test::write_file(built);
        QCOMPARE(program_data_file(root.filePath("build"), "manual.html"), built);

        QVERIFY(command_line_reply({"--version"}).value_or("").startsWith("Lumenfolio " + current_version() + "\n"));
        QVERIFY(command_line_reply({"--help"}).value_or("").startsWith("Usage: lumenfolio [FILE]\n"));
        for (const QStringList &opens : {QStringList{"/p/a.jpg"}, QStringList{}, QStringList{"my", "--help"}})
            QVERIFY(!command_line_reply(opens));
    }
};

QTEST_GUILESS_MAIN(tst_main_panel)
#include "tst_main_panel.moc"
