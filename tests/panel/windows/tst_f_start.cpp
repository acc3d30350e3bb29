// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "panel/panel_state.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/f_black.h"
#include "test_env.h"
#include "test_windows.h"
#include "thumbs/thumbnail_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace lf;

class tst_f_start : public QObject {
    Q_OBJECT
    f_start *open_panel()
    {
        f_start::show_main_panel();
        f_start *p = f_start::loaded();
        p->activate();
        return p;
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
    }
    void cleanup()
    {
        f_black::unload();
        test::delete_all_windows();
        QTRY_VERIFY(!f_black::loaded());
    }

    void shows_the_stored_state_and_writes_only_on_clicks()
    {
        for (const char *k : {key::random, key::autom, key::fit_mode, key::sort_descending, key::black_screen})
            save_setting(k, QString("-1"));
        save_setting(key::init_dir_for_search, QString("kept"));
        app().init_dir_for_search = QDir::tempPath();
        slides().interval_ms = 3000;
        const QByteArray before = test::read_bytes(settings_file());
        f_start *p = open_panel();
        QCOMPARE(test::read_bytes(settings_file()), before);
        QCOMPARE(p->windowTitle(), "Lumenfolio");
        QVERIFY(p->c_random->isChecked() && p->c_auto_show->isChecked() && p->c_fit_mode->isChecked());
        QVERIFY(p->c_black_screen->isChecked() && f_black::loaded() && p->option_and->isChecked());
        QVERIFY(p->o_sort_ascending->isChecked() && p->o_sort_by_filename->isChecked());
        QCOMPARE(p->t_interval->text(), "3000");
        QCOMPARE(p->t_init_dir_for_search->text(), QDir::tempPath());
        QVERIFY(!p->b_resume_slide_show->isEnabled() && !p->b_open_last_picture->isEnabled()
                && !p->b_rename_last_pic->isEnabled());

        slides().current_slide = 2;
        save_setting(key::last_picture_file, QString("/p/a.jpg"));
        p->activate();
        QVERIFY(p->b_resume_slide_show->isEnabled() && p->b_edit_last_picture->isEnabled());
        QVERIFY(p->b_rename_last_pic->isEnabled());
        QCOMPARE(p->t_last_file->text(), "/p/a.jpg");
        p->c_random->click();
        p->o_sort_by_datetime->click();
        QCOMPARE(get_setting(key::random) + get_setting(key::sort_by_datetime), "0-1");
        p->c_black_screen->click();
        QCOMPARE(get_setting(key::black_screen), "0");
        QTRY_VERIFY(!f_black::loaded());
        QVERIFY(!panel_state().black_screen_loaded);
        p->c_black_screen->click();
        QVERIFY(f_black::loaded() && panel_state().black_screen_loaded);
        p->close();
        QCOMPARE(get_setting(key::interval), QString()); // unchanged, not written
    }

    void interval_field_and_escape()
    {
        test::TestWindows layer;
        f_start *p = open_panel();
        p->t_interval->clear();
        p->c_auto_show->click();
        QCOMPARE(get_setting(key::autom) + " " + p->t_interval->text(), "-1 2000");
        p->t_interval->setText("750");
        QVERIFY(get_setting(key::interval).isEmpty());
        QFocusEvent out(QEvent::FocusOut); // saved on leaving the field
        QApplication::sendEvent(p->t_interval, &out);
        QCOMPARE(get_setting(key::interval), "750");
        p->t_interval->setText("900"); // and at unload when changed since
        QTest::keyClick(p->t_search_string_1, Qt::Key_Escape);
        QVERIFY(app().escape_pressed);
        QTRY_VERIFY(!f_start::loaded() && !registry().main_panel_loaded);
        QCOMPARE(layer.ends, 1);
        QCOMPARE(get_setting(key::interval), "900");
    }

    void paste_opens_only_bitmaps()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        f_start *p = open_panel();
        QApplication::clipboard()->setText("text");
        QTest::keyClick(p->t_search_string_1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p->t_search_string_1->text(), "text");
        QVERIFY(!QFile::exists(app().tmp_pic_dir + "/clibpoard_image.bmp"));

        QApplication::clipboard()->setImage(QImage::fromData(test::jpeg_bytes()));
        if (!QApplication::clipboard()->mimeData()->hasImage())
            QSKIP("this platform keeps no picture on its clipboard");
        QTest::keyClick(p->t_search_string_2, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(p->t_search_string_2->text().isEmpty());
        QCOMPARE(QImage(app().tmp_pic_dir + "/clibpoard_image.bmp").size(), QSize(8, 6));
        QVERIFY(!registry().open_picture_windows.isEmpty());
    }

    void search_fills_the_list_and_a_double_click_opens_a_line()
    {
        test::ScriptedPrompt prompt;
        test::FakeWindows w;
        const QString root = test::fresh_folder("tree");
        test::write_file(root + "/sea/a.jpg", test::jpeg_bytes());
        test::write_file(root + "/sea/b.txt");
        test::write_file(root + "/c.gif");
        app().init_dir_for_search = root;
        f_start *p = open_panel();
        p->t_search_string_1->setText("sea");
        p->b_search_picture->click();
        QCOMPARE(prompt.messages.first().buttons, Buttons::YesNo);
        QCOMPARE(p->List1->count(), 1);
        QCOMPARE(p->lab_search_results->text(), "directories searched: 2  --  files searched: 4  --  files found: 1 ");
        QVERIFY(!p->lab_search_results->font().italic() && p->isEnabled());
        app().escape_pressed = true;
        p->b_search_picture->click();
        QVERIFY(!app().escape_pressed && p->isEnabled());

        Q_EMIT p->List1->itemDoubleClicked(p->List1->item(0));
        QCOMPARE(w.calls, QStringList{"open_picture " + root + "/sea/a.jpg true"});
        QCOMPARE(p->t_last_file->text(), root + "/sea/a.jpg");
        QVERIFY(!p->isVisible());
    }

    void slide_show_and_thumbnails_of_10001_lines()
    {
        test::ScriptedPrompt prompt;
        test::FakeWindows w;
        f_start *p = open_panel();
        p->b_slideshow_from_search_results->click();
        p->b_thumbnails_from_search_results->click();
        QCOMPARE(prompt.message_texts(), (QStringList{"Search results list is empty", "Search results list is empty"}));
        // Real files: the show reads its list back and asks about missing pictures.
        const QString dir = test::fresh_folder("found");
        for (int i = 1; i <= 10001; ++i) {
            p->List1->addItem(dir + QString("/%1.jpg").arg(i));
            QFile(p->List1->item(i - 1)->text()).open(QIODevice::WriteOnly);
        }
        prompt.messages.clear();
        p->b_slideshow_from_search_results->click();
        QCOMPARE(slides().slide_count, 10000);
        const QString tmp = app().tmp_pic_dir;
        QVERIFY(p->t_last_slideshow->text() == tmp + "/Show.ssf" && slides().own_file);
        const QList<QByteArray> got = test::read_bytes(tmp + "/Show.ssf").split('\n');
        QCOMPARE(got.size(), 10001); // 10000 lines and the empty rest
        QCOMPARE(got.at(9999), (dir + "/10000.jpg\r").toUtf8());

        p->option_or->click();
        p->t_search_string_1->setText("x/y");
        p->t_search_string_3->setText("z");
        p->b_thumbnails_from_search_results->click();
        QCOMPARE(prompt.message_texts(),
                 (QStringList{"Max number of slides reached (10000). Some slides will not be included.",
                              "Too many pictures in list. Only the first 1000 will be shown.",
                              "The thumbnail file(s) will remain in directory \"" + tmp
                                  + "\" till the termination of the program."}));
        QCOMPARE(thumbnails().picture_list.size(), 1000);
        QCOMPARE(w.calls, (QStringList{"open_slide_show_window", "load_thumbnail_sheet"}));
        QCOMPARE(p->t_last_thumbnail_file->text(), tmp + "/search_or_x_y$$z_01.tnf");
        QVERIFY(QFile::exists(tmp + "/search_or_x_y$$z_01.tnf"));
    }
};

QTEST_MAIN(tst_f_start)
#include "tst_f_start.moc"
