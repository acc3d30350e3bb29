// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/process_end.h"
#include "app/settings.h"
#include "app/temp_folders.h"
#include "app/window_registry.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "test_windows.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>
#include <QtTest>

#include <csignal>

using namespace lf;

class tst_shutdown : public QObject {
    Q_OBJECT
    QWidget *shown(const char *name)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return w;
        return nullptr;
    }
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = create_tmp_pic_dir(test::fresh_folder(QStringLiteral("t")), 5).tmp_pic_dir;
        test::write_file(app().tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg"));
    }
    void cleanup() { test::delete_all_windows(); }

    // A setting naming a file of tmp_pic is not left for the next start; a window whose tag went missing says so.
    void closing_the_last_picture_window_ends_and_removes_tmp_pic_data()
    {
        QTest::addColumn<bool>("tag_lost");
        QTest::newRow("tag kept") << false;
        QTest::newRow("tag lost") << true;
    }
    void closing_the_last_picture_window_ends_and_removes_tmp_pic()
    {
        QFETCH(bool, tag_lost);
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        const QString picture = test::fresh_folder(QStringLiteral("pics")) + QStringLiteral("/a.jpg");
        test::write_file(picture, test::jpeg_bytes());
        layer.open_picture(picture, false);
        QVERIFY(shown("form_nf"));
        save_setting(key::last_slide_show, app().tmp_pic_dir + QStringLiteral("/_slideshow.ssf"));
        if (tag_lost)
            registry().open_picture_windows.clear();
        shown("form_nf")->close();
        QCOMPARE(layer.ends, 1);
        QCOMPARE(prompt.message_texts(), tag_lost ? QStringList{"error 2000 06 02"} : QStringList{});
        if (tag_lost)
            return;
        QCOMPARE(get_setting(key::last_slide_show), QString());
        QVERIFY(!QFileInfo::exists(app().tmp_pic_dir));
    }

    // A running show keeps its progress in its own file, no question is asked.
    void signals_end_as_closing_the_last_window_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<bool>("own_file");
        QTest::addColumn<bool>("window"); // without it, no window saves the show
        QTest::newRow("SIGTERM, own file") << SIGTERM << true << true;
        QTest::newRow("SIGHUP, built show") << SIGHUP << false << true;
        QTest::newRow("SIGINT, own file, no window") << SIGINT << true << false;
    }
    void signals_end_as_closing_the_last_window()
    {
        QFETCH(int, sig);
        QFETCH(bool, own_file);
        QFETCH(bool, window);
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        end_on_signals();
        const QString dir = test::fresh_folder(QStringLiteral("show"));
        SlideList &s = slides();
        for (int i = 1; i <= 2; ++i) {
            s.slot(i).path = dir + QStringLiteral("/p%1.jpg").arg(i);
            test::write_file(s.slot(i).path, test::jpeg_bytes());
        }
        s.slide_count = 2;
        s.slide_show_active = true;
        s.own_file = own_file;
        s.slide_show_file = dir + QStringLiteral("/show.ssf");
        if (window)
            layer.open_slide_show_window();
        else
            s.current_slide = 1; // on the first slide, as the window would be
        ::raise(sig);
        QTRY_VERIFY(layer.ends > 0);
        QVERIFY(prompt.messages.isEmpty());
        QVERIFY(!QFileInfo::exists(app().tmp_pic_dir));
        QCOMPARE(test::read_bytes(s.slide_show_file).contains("*index_of_last_slide_viewed=1\r\n"), own_file);
    }
};

QTEST_MAIN(tst_shutdown)
#include "tst_shutdown.moc"
