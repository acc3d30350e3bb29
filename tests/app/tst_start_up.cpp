// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/desktop_session.h"
#include "app/settings.h"
#include "app/start_up.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "thumbs/thumbnail_state.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::StartKind)

// Records the busy flag the moment the slide show window is asked for.
class BusyWatch : public test::FakeWindows {
public:
    bool busy_when_opened = false;
    void open_slide_show_window() override
    {
        busy_when_opened = registry().busy_opening;
        FakeWindows::open_slide_show_window();
    }
};

class tst_start_up : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A fresh start may write the picture types' associations.
    void initTestCase() { test::require_private_folders(); }
    void init() { test::reset_everything(); }

    void classify_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<lf::StartKind>("kind");
        QTest::newRow("empty") << "" << StartKind::MainPanel;
        QTest::newRow("ssf") << "/s/show.ssf" << StartKind::SlideShow;
        QTest::newRow("SSF capitals") << "/s/SHOW.SSF" << StartKind::SlideShow;
        QTest::newRow("tnf") << "/t/thumbs01.Tnf" << StartKind::ThumbnailFile;
        QTest::newRow("picture") << "/p/a.jpg" << StartKind::Picture;
        QTest::newRow("any other path") << "/p/notes.txt" << StartKind::Picture;
        QTest::newRow("ssf in folder name") << "/p.ssf/a.jpg" << StartKind::Picture;
    }
    void classify()
    {
        QFETCH(QString, arg);
        QFETCH(lf::StartKind, kind);
        QCOMPARE(classify_start_argument(arg), kind);
    }

    // A file manager passes each file as its own argument; a path with
    // blanks typed without quotes arrives as several words (%1: a folder).
    void command_line_names_one_path_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("blanks around") << QStringList{"  %1/a.jpg "} << "%1/a.jpg";
        QTest::newRow("several files: the first") << QStringList{"%1/a.jpg", "%1/b.jpg"} << "%1/a.jpg";
        QTest::newRow("unquoted blanks") << QStringList{"%1/my", "photo.jpg"} << "%1/my photo.jpg";
        QTest::newRow("nothing exists: the first") << QStringList{"%1/gone.jpg", "b.jpg"}
                                                   << "%1/gone.jpg";
    }
    void command_line_names_one_path()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        const QString dir = test::fresh_folder(QStringLiteral("words"));
        for (const char *name : {"a.jpg", "b.jpg", "my photo.jpg"})
            test::write_file(dir + QLatin1Char('/') + QLatin1String(name), test::jpeg_bytes());
        for (QString &a : args)
            a.replace(QStringLiteral("%1"), dir);
        QCOMPARE(command_line_text(args), expected.replace(QStringLiteral("%1"), dir));
    }

    void existing_arguments_survive_quotes_blanks_and_utf8_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain") << "a.jpg" << false;
        QTest::newRow("quoted") << "a.jpg" << true;
        QTest::newRow("spaces") << "my holiday photo.jpg" << true;
        QTest::newRow("utf-8") << "Größe – 東京.jpg" << false;
    }
    void existing_arguments_survive_quotes_blanks_and_utf8()
    {
        QFETCH(QString, name);
        QFETCH(bool, quoted);
        test::ScriptedPrompt p;
        const QString path = test::fresh_folder(QStringLiteral("args")) + QLatin1Char('/') + name;
        test::write_file(path, test::jpeg_bytes());
        const QString arg = quoted ? QLatin1Char('"') + path + QLatin1Char('"') : path;
        QCOMPARE(checked_start_argument(arg), path);
        QVERIFY(p.messages.isEmpty());
    }

    // What a file manager's "Open with" may hand over: the message and then
    // the main panel, never a window with nothing in it.
    void arguments_that_show_nothing_are_reported_and_dropped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // "/": a folder; empty: nothing
        QTest::addColumn<QString>("message");
        QByteArray png;
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        QImage(4, 4, QImage::Format_RGB32).save(&b, "PNG");
        QTest::newRow("missing") << "gone.jpg" << QByteArray() << "File not found ";
        QTest::newRow("folder") << "pictures" << QByteArray("/") << "Bad file name: ";
        QTest::newRow("folder named .ssf") << "x.ssf" << QByteArray("/") << "Bad file name: ";
        QTest::newRow("png") << "a.png" << png << "Bad file name: ";
        QTest::newRow("png named .jpg") << "a.jpg" << png << "Bad file name: ";
        QTest::newRow("text") << "notes.txt" << QByteArray("hello") << "Bad file name: ";
        QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("hello") << "Bad file name: ";
    }
    void arguments_that_show_nothing_are_reported_and_dropped()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        const QString path = test::fresh_folder(QStringLiteral("bad")) + QLatin1Char('/') + name;
        if (bytes == "/")
            QDir().mkpath(path);
        else if (!bytes.isEmpty())
            test::write_file(path, bytes);
        QCOMPARE(checked_start_argument(QLatin1Char('"') + path + QLatin1Char('"')), QString());
        QCOMPARE(p.message_texts(), QStringList{message + path});
        QCOMPARE(p.messages[0].buttons, Buttons::Ok);
        QCOMPARE(p.messages[0].title, QStringLiteral("Lumenfolio"));
    }

    void stale_settings_are_blanked()
    {
        const QString dir = test::fresh_folder(QStringLiteral("stale"));
        test::write_file(dir + QStringLiteral("/editor"));
        save_setting(key::picture_editor, dir + QStringLiteral("/editor"));
        save_setting(key::last_picture_file, dir + QStringLiteral("/gone.jpg"));
        save_setting(key::last_slide_show, dir + QStringLiteral("/gone.ssf"));
        save_setting(key::last_thumbnail_file, dir + QStringLiteral("/gone01.tnf"));
        save_setting(key::init_dir_for_search, dir);
        save_setting(key::interval, QStringLiteral("3000"));
        save_setting(key::comments_hidden, QStringLiteral("-1"));

        read_start_settings();
        QCOMPARE(app().picture_editor, dir + QStringLiteral("/editor"));
        QCOMPARE(app().last_picture_file, QString());
        QCOMPARE(get_setting(key::last_picture_file), QString());
        QCOMPARE(slides().slide_show_file, QString());
        QCOMPARE(get_setting(key::last_slide_show), dir + QStringLiteral("/gone.ssf"));
        QCOMPARE(thumbnails().current_thumbnail_file, QString());
        QCOMPARE(app().init_dir_for_search, dir);
        QCOMPARE(slides().interval_ms, 3000);
        QVERIFY(!slides().comments_visible);
    }

    void empty_store_gives_the_defaults()
    {
        read_start_settings();
        QCOMPARE(slides().interval_ms, 0);
        QVERIFY(slides().comments_visible);
        QVERIFY(app().last_picture_file.isEmpty());
    }

    void slide_show_argument_opens_the_show_while_busy()
    {
        BusyWatch w;
        save_setting(key::random, QStringLiteral("1"));
        save_setting(key::autom, QStringLiteral("-1"));
        // The reader opens the show only on a file that names a picture.
        const QString folder = test::fresh_folder(QStringLiteral("s"));
        const QString show = folder + QStringLiteral("/Show.SSF");
        test::write_file(folder + QStringLiteral("/a.jpg"));
        test::write_file(show, (folder + QStringLiteral("/a.jpg\r\n")).toUtf8());
        app().start_argument = show;
        dispatch_start_argument();
        QCOMPARE(w.calls, QStringList{QStringLiteral("open_slide_show_window")});
        QVERIFY(w.busy_when_opened);
        QVERIFY(!registry().busy_opening);
        QCOMPARE(slides().slide_show_file, show);
        QVERIFY(slides().own_file);
        QVERIFY(slides().random_order); // any non-zero value counts here
        QVERIFY(slides().auto_advance);
    }

    void thumbnail_and_picture_arguments()
    {
        test::FakeWindows w;
        app().start_argument = QStringLiteral("/t/sheet01.tnf");
        dispatch_start_argument();
        QCOMPARE(thumbnails().current_thumbnail_file, QStringLiteral("/t/sheet01.tnf"));
        app().start_argument = QStringLiteral("/p/a b.jpg");
        dispatch_start_argument();
        QCOMPARE(w.calls, (QStringList{QStringLiteral("load_thumbnail_sheet"),
                                       QStringLiteral("open_picture /p/a b.jpg false")}));
    }

    void no_argument_shows_the_panel_and_checks_types_once()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes, Answer::No, Answer::Yes};
        dispatch_start_argument();
        QCOMPARE(w.calls, (QStringList{QStringLiteral("show_main_panel"),
                                       QStringLiteral("associate_menu_enabled true"),
                                       QStringLiteral("place_main_panel")}));
        QCOMPARE(get_setting(key::file_extensions_checked), QStringLiteral("-1"));
        QStringList questions;
        for (const char *ext : {"jpg", "gif", "bmp"})
            questions << QStringLiteral("This program is not the default program to open '%1' "
                                        "files. Do you want to associate it with '%1' files?")
                             .arg(QLatin1String(ext));
        QCOMPARE(p.message_texts(), questions);
        QCOMPARE(p.messages[0].buttons, Buttons::YesNo);
        QCOMPARE(p.messages[0].icon, Icon::Question);

        // The next start asks nothing; gif still opens elsewhere.
        w.calls.clear();
        p.messages.clear();
        dispatch_start_argument();
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(w.calls, (QStringList{QStringLiteral("show_main_panel"),
                                       QStringLiteral("associate_menu_enabled true"),
                                       QStringLiteral("place_main_panel")}));
    }

    // Placement, the moving window and pointer parking need X11.
    void wayland_sessions_run_on_xwayland_data()
    {
        QTest::addColumn<QStringList>("env"); // QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY, XDG_SESSION_TYPE
        QTest::addColumn<QString>("platform");
        QTest::newRow("wayland with Xwayland") << QStringList{"", "wayland-0", ":0", "wayland"} << "xcb";
        QTest::newRow("session type only") << QStringList{"", "", ":0", "wayland"} << "xcb";
        QTest::newRow("no Xwayland") << QStringList{"", "wayland-0", "", "wayland"} << "";
        QTest::newRow("the user's choice") << QStringList{"wayland", "wayland-0", ":0", "wayland"} << "";
        QTest::newRow("X11 session") << QStringList{"", "", ":0", "x11"} << "";
    }
    void wayland_sessions_run_on_xwayland()
    {
        QFETCH(QStringList, env);
        QFETCH(QString, platform);
        QCOMPARE(preferred_platform(env[0], env[1], env[2], env[3]), platform);
    }

    void without_xwayland_placement_says_so_once()
    {
        test::ScriptedPrompt p;
        QVERIFY(placement_possible_or_say_so(QStringLiteral("xcb")));
        QVERIFY(p.messages.isEmpty());
        QVERIFY(!placement_possible_or_say_so(QStringLiteral("wayland-egl")));
        QVERIFY(!placement_possible_or_say_so(QStringLiteral("wayland")));
        QCOMPARE(p.message_texts(), QStringList{placement_notice});
    }
};

QTEST_GUILESS_MAIN(tst_start_up)
#include "tst_start_up.moc"
