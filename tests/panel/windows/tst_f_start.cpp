// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "fault_injection.h"
#include "panel/panel_state.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/f_black.h"
#include "test_env.h"
#include "test_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
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
        delete f_start::loaded();
        f_black::unload();
        QTRY_VERIFY(!f_black::loaded());
    }

    void shows_the_stored_state_and_writes_only_on_clicks()
    {
        for (const char *k : {key::random, key::autom, key::fit_mode, key::sort_descending})
            save_setting(k, QString("-1"));
        save_setting(key::init_dir_for_search, QString("kept"));
        app().init_dir_for_search = test::fresh_folder("search");
        slides().interval_ms = 3000;
        const QByteArray before = test::read_bytes(settings_file());
        f_start *p = open_panel();
        QCOMPARE(test::read_bytes(settings_file()), before);
        QCOMPARE(p->windowTitle(), "Lumenfolio");
        QVERIFY(p->c_random->isChecked() && p->c_auto_show->isChecked() && p->c_fit_mode->isChecked());
        QVERIFY(!p->c_black_screen->isChecked() && p->option_and->isChecked());
        QVERIFY(p->o_sort_ascending->isChecked() && p->o_sort_by_filename->isChecked());
        QCOMPARE(p->t_interval->text(), "3000");
        QCOMPARE(p->t_init_dir_for_search->text(), app().init_dir_for_search);
        QVERIFY(!p->b_resume_slide_show->isEnabled() && !p->b_open_last_picture->isEnabled());
        QVERIFY(!p->b_rename_last_pic->isEnabled());

        slides().current_slide = 2;
        save_setting(key::last_picture_file, QString("/p/a.jpg"));
        p->activate();
        QVERIFY(p->b_resume_slide_show->isEnabled() && p->b_edit_last_picture->isEnabled());
        QVERIFY(p->b_rename_last_pic->isEnabled());
        QCOMPARE(p->t_last_file->text(), "/p/a.jpg");
        p->c_random->click();
        p->o_sort_by_datetime->click();
        QCOMPARE(get_setting(key::random) + get_setting(key::sort_by_datetime), "0-1");
        p->close();
        QCOMPARE(get_setting(key::interval), QString()); // unchanged, not written
    }

    void interval_field()
    {
        test::TestWindows layer;
        f_start *p = open_panel();
        p->t_interval->clear();
        p->c_auto_show->click();
        QCOMPARE(get_setting(key::autom), "-1");
        QCOMPARE(p->t_interval->text(), "2000");
        p->t_interval->setText("abc");
        QCOMPARE(slides().interval_ms, 2000);
        p->t_interval->setText("750");
        QVERIFY(get_setting(key::interval).isEmpty());
        QFocusEvent out(QEvent::FocusOut); // saved on leaving the field
        QApplication::sendEvent(p->t_interval, &out);
        QCOMPARE(get_setting(key::interval), "750");
        p->t_interval->setText("900"); // and at unload when changed since
        p->close();
        QCOMPARE(get_setting(key::interval), "900");
    }

    void escape_unloads_the_panel()
    {
        test::TestWindows layer;
        QTest::keyClick(open_panel()->t_search_string_1, Qt::Key_Escape);
        QVERIFY(app().escape_pressed);
        QTRY_VERIFY(!f_start::loaded());
        QVERIFY(!registry().main_panel_loaded);
        QCOMPARE(layer.ends, 1);
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

        QImage img(8, 6, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QApplication::clipboard()->setImage(img);
        if (!QApplication::clipboard()->mimeData()->hasImage())
            QSKIP("this platform keeps no picture on its clipboard");
        QTest::keyClick(p->t_search_string_2, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(p->t_search_string_2->text().isEmpty());
        QCOMPARE(QImage(app().tmp_pic_dir + "/clibpoard_image.bmp").size(), QSize(8, 6));
        QVERIFY(!registry().open_picture_windows.isEmpty());
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "form_nf")
                delete w;
    }

    void black_screen_follows_the_option()
    {
        save_setting(key::black_screen, QString("-1"));
        f_start *p = open_panel();
        QVERIFY(p->c_black_screen->isChecked() && f_black::loaded());
        p->c_black_screen->click();
        QCOMPARE(get_setting(key::black_screen), "0");
        QTRY_VERIFY(!f_black::loaded());
        QVERIFY(!panel_state().black_screen_loaded);
        p->c_black_screen->click();
        QVERIFY(f_black::loaded() && panel_state().black_screen_loaded);
    }
};

QTEST_MAIN(tst_f_start)
#include "tst_f_start.moc"
