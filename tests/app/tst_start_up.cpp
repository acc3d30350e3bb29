// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/desktop_session.h"
#include "app/settings.h"
#include "app/start_up.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QtTest>

using namespace lf;

class tst_start_up : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::require_private_folders(); } // answers may write associations
    void init() { test::reset_everything(); }

    void classify()
    {
        QCOMPARE(classify_start_argument(""), StartKind::MainPanel);
        QCOMPARE(classify_start_argument("/s/SHOW.SSF"), StartKind::SlideShow);
        QCOMPARE(classify_start_argument("/t/thumbs01.Tnf"), StartKind::ThumbnailFile);
        QCOMPARE(classify_start_argument("/p.ssf/notes.txt"), StartKind::Picture);
    }

    // Each file is its own argument; a path with blanks typed without quotes
    // arrives as several words (%1: a folder).
    void command_line_names_one_path_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks around") << QStringList{"  %1/a.jpg "} << "%1/a.jpg";
        QTest::newRow("several files: the first, though joined they name one too")
            << QStringList{"%1/a.jpg", "b.jpg"} << "%1/a.jpg";
        QTest::newRow("unquoted blanks") << QStringList{"%1/my", "photo.jpg"} << "%1/my photo.jpg";
        QTest::newRow("nothing exists: the first") << QStringList{"%1/gone.jpg", "b.jpg"} << "%1/gone.jpg";
    }
    void command_line_names_one_path()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        const QString dir = test::fresh_folder(QStringLiteral("words"));
        for (const char *name : {"a.jpg", "b.jpg", "my photo.jpg", "a.jpg b.jpg"})
            test::write_file(dir + QLatin1Char('/') + QLatin1String(name), test::jpeg_bytes());
        for (QString &a : args)
            a.replace(QStringLiteral("%1"), dir);
        QCOMPARE(command_line_text(args), expected.replace(QStringLiteral("%1"), dir));
    }

    // What "Open with" may hand over: a picture is kept (quotes gone, made absolute);
    // anything else is reported and dropped, never a window with nothing in it.
    void start_argument_checked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // "/": a folder; empty: nothing
        QTest::addColumn<QString>("message"); // "": kept
        QByteArray png;
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        QImage(4, 4, QImage::Format_RGB32).save(&b, "PNG");
        const QByteArray jpeg = test::jpeg_bytes();
        QTest::newRow("spaces") << "my holiday photo.jpg" << jpeg << "";
        QTest::newRow("utf-8") << "Größe – 東京.jpg" << jpeg << "";
        QTest::newRow("missing") << "gone.jpg" << QByteArray() << "File not found ";
        QTest::newRow("folder named .ssf") << "x.ssf" << QByteArray("/") << "Bad file name: ";
        QTest::newRow("png named .jpg") << "a.jpg" << png << "Bad file name: ";
        QTest::newRow("text") << "notes.txt" << QByteArray("hello") << "Bad file name: ";
    }
    void start_argument_checked()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        test::ScriptedPrompt p;
        const QString cwd = test::fresh_folder(QStringLiteral("args"));
        const QString path = cwd + QLatin1Char('/') + name;
        if (bytes == "/")
            QDir().mkpath(path);
        else if (!bytes.isEmpty())
            test::write_file(path, bytes);
        const QString started_in = QDir::currentPath();
        QDir::setCurrent(cwd);
        const QString kept = checked_start_argument('"' + name + '"'); // relative to where it starts
        QDir::setCurrent(started_in);
        QCOMPARE(kept, message.isEmpty() ? path : QString());
        QCOMPARE(p.message_texts(), message.isEmpty() ? QStringList{} : QStringList{message + path});
    }

    void stale_settings_are_blanked()
    {
        const QString dir = test::fresh_folder(QStringLiteral("stale"));
        save_setting(key::last_picture_file, dir + QStringLiteral("/gone.jpg"));
        save_setting(key::last_slide_show, dir + QStringLiteral("/gone.ssf"));
        read_start_settings();
        QCOMPARE(app().last_picture_file, QString());
        QCOMPARE(get_setting(key::last_picture_file), QString());
        QCOMPARE(slides().slide_show_file, QString());
        QCOMPARE(get_setting(key::last_slide_show), dir + QStringLiteral("/gone.ssf"));
    }

    void no_argument_shows_the_panel_and_asks_about_types_once()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes, Answer::No, Answer::Yes};
        const QStringList panel{"show_main_panel", "associate_menu_enabled true", "place_main_panel"};
        dispatch_start_argument();
        QCOMPARE(w.calls, panel);
        QStringList questions;
        for (const char *ext : {"jpg", "gif", "bmp"})
            questions << QStringLiteral("This program is not the default program to open '%1' "
                                        "files. Do you want to associate it with '%1' files?").arg(QLatin1String(ext));
        QCOMPARE(p.message_texts(), questions);
        QCOMPARE(p.messages[0].buttons, Buttons::YesNo);

        w.calls.clear();
        p.messages.clear();
        dispatch_start_argument();
        QVERIFY(p.messages.isEmpty()); // though gif still opens elsewhere
        QCOMPARE(w.calls, panel);
    }

    // Placement, the moving window and pointer parking need X11: a Wayland
    // session runs on Xwayland when there is one; without, those say so once.
    void wayland_sessions()
    {
        // QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY, XDG_SESSION_TYPE -> platform
        QCOMPARE(preferred_platform("", "wayland-0", ":0", "wayland"), "xcb");
        QCOMPARE(preferred_platform("", "", ":0", "wayland"), "xcb");
        QCOMPARE(preferred_platform("", "wayland-0", "", "wayland"), "");
        QCOMPARE(preferred_platform("wayland", "wayland-0", ":0", "wayland"), ""); // the user's choice
        QCOMPARE(preferred_platform("", "", ":0", "x11"), "");
        test::ScriptedPrompt p;
        QVERIFY(placement_possible_or_say_so("xcb") && p.messages.isEmpty());
        QVERIFY(!placement_possible_or_say_so("wayland-egl") && !placement_possible_or_say_so("wayland"));
        QCOMPARE(p.message_texts(), QStringList{placement_notice});
    }
};

QTEST_GUILESS_MAIN(tst_start_up)
#include "tst_start_up.moc"
