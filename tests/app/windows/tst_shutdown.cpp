// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/process_end.h"
#include "app/settings.h"
#include "app/temp_folders.h"
#include "app/window_registry.h"
#include "app/windows/f_ghost.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "fault_injection.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "test_windows.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <csignal>

using namespace lf;

namespace {
QWidget *top_level(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

QString a_picture(const QString &name = QStringLiteral("a.jpg"))
{
    const QString path = test::fresh_folder(QStringLiteral("pics")) + QLatin1Char('/') + name;
    test::write_file(path, test::jpeg_bytes());
    return path;
}
} // namespace

class tst_shutdown : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = create_tmp_pic_dir(test::fresh_folder(QStringLiteral("t")), 5).tmp_pic_dir;
        test::write_file(app().tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg"));
    }
    void cleanup()
    {
        test::delete_all_windows();
    }

    void closing_the_last_picture_window_ends_and_removes_tmp_pic()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.open_picture(a_picture(QStringLiteral("Photo.JPG")), false);
        QWidget *w = top_level("form_nf");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("photo.jpg"));
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
        // A setting naming a file of tmp_pic is not left for the next start.
        save_setting(key::last_slide_show, app().tmp_pic_dir + QStringLiteral("/_slideshow.ssf"));
        w->close();
        QCOMPARE(layer.ends, 1);
        QCOMPARE(get_setting(key::last_slide_show), QString());
        QVERIFY(registry().open_picture_windows.isEmpty());
        QVERIFY(!QFileInfo::exists(app().tmp_pic_dir));
    }

    void closing_a_picture_with_the_panel_loaded_brings_the_panel_back()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.show_main_panel();
        QWidget *panel = top_level("f_start");
        QVERIFY(panel);
        QCOMPARE(panel->windowTitle(), QStringLiteral("Lumenfolio"));
        QVERIFY(registry().main_panel_loaded);
        panel->hide();
        layer.open_picture(a_picture(), false);
        top_level("form_nf")->close();
        QCOMPARE(layer.ends, 0);
        QVERIFY(panel->isVisible());
        QVERIFY(QFileInfo::exists(app().tmp_pic_dir));

        panel->close();
        QCOMPARE(layer.ends, 1);
        QVERIFY(!registry().main_panel_loaded);
    }

    void one_of_two_windows_closing_keeps_the_process()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.open_picture(a_picture(), false);
        layer.open_picture(a_picture(), false);
        top_level("form_nf")->close();
        QCOMPARE(layer.ends, 0);
        QCOMPARE(registry().open_picture_windows.size(), 5);
        top_level("form_nf")->close();
        QCOMPARE(layer.ends, 1);
    }

    void ghost_ends_only_when_nothing_is_open()
    {
        test::TestWindows layer;
        f_ghost ghost;
        QCOMPARE(ghost.Timer1->interval(), 1000);
        QVERIFY(ghost.Timer1->isActive());
        registry().busy_opening = true;
        ghost.tick();
        QCOMPARE(layer.ends, 0);
        QVERIFY(QFileInfo::exists(app().tmp_pic_dir));
        registry().busy_opening = false;
        registry().thumbnails_open = true;
        ghost.tick();
        QCOMPARE(layer.ends, 0);
        registry().thumbnails_open = false;
        ghost.tick();
        QCOMPARE(layer.ends, 1);
        QVERIFY(!QFileInfo::exists(app().tmp_pic_dir));
    }

    // As at logout: a running show keeps its progress in its own file, no
    // question is asked, and tmp_pic goes.
    void signals_end_as_closing_the_last_window_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<bool>("own_file");
        QTest::newRow("SIGTERM, own file") << SIGTERM << true;
        QTest::newRow("SIGHUP, built show") << SIGHUP << false;
        QTest::newRow("SIGINT, own file") << SIGINT << true;
    }
    void signals_end_as_closing_the_last_window()
    {
        QFETCH(int, sig);
        QFETCH(bool, own_file);
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        end_on_signals();
        const QString dir = test::fresh_folder(QStringLiteral("show"));
        SlideList &s = slides();
        for (int i = 1; i <= 2; ++i) {
            s.slot(i).path = dir + QStringLiteral("/p%1.jpg").arg(i);
            QImage img(40, 30, QImage::Format_RGB32);
            img.fill(Qt::gray);
            QVERIFY(img.save(s.slot(i).path, "JPG"));
        }
        s.slide_count = 2;
        s.slide_show_active = true;
        s.own_file = own_file;
        s.slide_show_file = dir + QStringLiteral("/show.ssf");
        layer.open_slide_show_window();
        QVERIFY(top_level("form_fs"));
        ::raise(sig);
        QTRY_VERIFY(layer.ends > 0);
        QVERIFY(prompt.messages.isEmpty());
        QVERIFY(!QFileInfo::exists(app().tmp_pic_dir));
        QCOMPARE(test::read_bytes(s.slide_show_file).contains("*index_of_last_slide_viewed=1\r\n"), own_file);
    }

    void a_missing_tag_stops_with_its_message()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.open_picture(a_picture(), false);
        registry().open_picture_windows.clear();
        prompt.messages.clear();
        top_level("form_nf")->close();
        QCOMPARE(prompt.message_texts(), QStringList{QStringLiteral("error 2000 06 02")});
        QCOMPARE(layer.ends, 1);
    }
};

QTEST_MAIN(tst_shutdown)
#include "tst_shutdown.moc"
