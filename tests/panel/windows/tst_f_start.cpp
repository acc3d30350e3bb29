// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "panel/panel_state.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/f_black.h"
#include "test_env.h"
#include "test_windows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

using namespace lf;

namespace {
QStringList stored_keys()
{
    QSettings s(settings_file(), QSettings::IniFormat);
    return s.allKeys();
}
QString caption_of(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return {};
}
} // namespace

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
        // A frame of the nominal size, as start-up would have measured it.
        app().frame_height = nominal_frame_height;
        app().frame_width = nominal_frame_width;
    }
    void cleanup()
    {
        if (f_start *p = f_start::loaded())
            delete p;
        f_black::unload();
        QTRY_VERIFY(!f_black::loaded());
    }

    void controls_and_captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char *rows[][2] = {
            {"fra_pictures", "Pictures"}, {"b_open_picture", "show picture..."},
            {"b_open_last_picture", "show last picture"},
            {"b_delete_last_picture", "delete last picture"},
            {"b_edit_last_picture", "edit last picture"},
            {"b_search_picture", "search picture..."}, {"lab_string1", "find 1"},
            {"lab_string2", "find 2"}, {"lab_string3", "find 3"}, {"option_and", "and"},
            {"option_or", "or"}, {"fra_slides", "Slide shows"},
            {"b_slideshow_from_search_results", "slide show from search results..."},
            {"lab_show_interval", "Interval (msecs)"}, {"c_random", "Random slide show"},
            {"c_auto_show", "Automatic slide show"}, {"b_resume_slide_show", "resume slide show"},
            {"b_open_slide_show", "run slide show..."},
            {"b_build_slide_show", "build and run slide show..."},
            {"fra_thumbnails", "Thumbnails"},
            {"b_thumbnails_from_search_results", "thumbnails from search results..."},
            {"b_show_thumbnail_file", "show thumbnail file..."},
            {"b_build_and_show_thumbnails", "build and show thumb nails..."},
            {"c_fit_mode", "Fit mode (enlarging)"}, {"c_black_screen", "Black screen"},
            {"o_sort_ascending", "sort ascending"}, {"o_sort_descending", "sort descending"},
            {"o_sort_by_filename", "sort by file name"},
            {"o_sort_by_datetime", "sort by file date/time"}, {"lab_last_picture", "last picture"},
            {"b_rename_last_pic", "rename"}, {"lab_last_slideshow", "last slide show"},
            {"lab_last_thumbnail", "last thumbnail file"}, {"l_picture_editor", "picture editor"},
            {"b_change_editor", "change"}, {"lab_init_dir_for_search", "in. dir for search"},
            {"b_change_init_dir_for_search", "change"},
            {"lab_search_results", "Search results (0 files)"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[0]) << QString(r[1]);
    }
    void controls_and_captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        f_start *p = open_panel();
        QWidget *w = p->findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(caption_of(w), caption);
    }

    void fields_and_menu()
    {
        f_start *p = open_panel();
        for (const char *n : {"t_search_string_1", "t_search_string_2", "t_search_string_3",
                              "t_interval", "t_last_file", "t_last_slideshow",
                              "t_last_thumbnail_file", "t_picture_editor", "t_init_dir_for_search"})
            QVERIFY2(p->findChild<QLineEdit *>(n), n);
        QVERIFY(p->findChild<QListWidget *>("List1"));
        QVERIFY(p->option_and->isChecked());
        QCOMPARE(p->windowTitle(), QString("Lumenfolio"));
        QCOMPARE(p->m_do->title(), QString("&Do"));
        QCOMPARE(p->m_info->title(), QString("&?"));
        QStringList names, captions;
        for (QMenu *m : {p->m_do, p->m_info})
            for (QAction *a : m->actions()) {
                names << a->objectName();
                captions << (a->isSeparator() ? QString("-") : a->text());
            }
        QCOMPARE(names, (QStringList{"m_add_string_to_names_of_all_files_of_given_directory",
                                     "m_remove_string", "m_rename_all_files", "m_sep_10",
                                     "m_associate", "m_oct20", "m_exit", "m_help", "m_web_site",
                                     "m_version_history", "m_about"}));
        QCOMPARE(captions, (QStringList{"Add string to names of all files in a directory",
                                        "Remove string from names of all files in a directory",
                                        "Rename all files to sequence numbers", "-",
                                        "Associate file types with this program", "-",
                                        "&Exit (ESC)", "&Help", "Author's web site",
                                        "&Version history", "&About Lumenfolio"}));
        p->associate_menu_enabled(true);
        QVERIFY(p->m_associate->isEnabled());
        p->associate_menu_enabled(false);
        QVERIFY(!p->m_associate->isEnabled());
    }

    void layout_is_applied()
    {
        f_start *p = open_panel();
        const TwipRect fra = control_geometry(p->fra_pictures);
        QCOMPARE(fra.left, 60);
        QCOMPARE(fra.top, 60);
        QCOMPARE(fra.width, 2670); // 2680 on a whole pixel
        QCOMPARE(control_geometry(p->b_open_picture).width, 2490);
        QCOMPARE(control_geometry(p->b_open_picture).height, 300);
        const TwipRect list = control_geometry(p->List1);
        QVERIFY(p->List1->geometry().bottom() < p->centralWidget()->height());
        QCOMPARE(px_to_twips(p->centralWidget()->height()), list.top + list.height + 90);
    }

    void loading_writes_no_setting()
    {
        save_setting(key::random, QString("-1"));
        save_setting(key::autom, QString("-1"));
        save_setting(key::fit_mode, QString("-1"));
        save_setting(key::sort_descending, QString("-1"));
        save_setting(key::init_dir_for_search, QString("kept"));
        app().init_dir_for_search = test::fresh_folder("search");
        slides().interval_ms = 3000;
        const QStringList before = stored_keys();
        f_start *p = open_panel();
        QVERIFY(p->c_random->isChecked());
        QVERIFY(p->c_auto_show->isChecked());
        QVERIFY(p->c_fit_mode->isChecked());
        QVERIFY(!p->c_black_screen->isChecked());
        QVERIFY(p->o_sort_ascending->isChecked() && p->o_sort_by_filename->isChecked());
        QCOMPARE(p->t_interval->text(), QString("3000"));
        QCOMPARE(stored_keys(), before);
        QCOMPARE(get_setting(key::sort_descending), QString("-1"));
        QVERIFY(!panel_state().interval_changed);
        p->close();
        QCOMPARE(get_setting(key::interval), QString());
    }

    void empty_store_shows_home_as_search_folder()
    {
        f_start *p = open_panel();
        QCOMPARE(p->t_init_dir_for_search->text(), QDir::homePath());
        QCOMPARE(get_setting(key::init_dir_for_search), QDir::homePath());
    }

    void activate_enables_by_state()
    {
        f_start *p = open_panel();
        QVERIFY(!p->b_resume_slide_show->isEnabled());
        QVERIFY(!p->b_open_last_picture->isEnabled());
        QVERIFY(!p->b_delete_last_picture->isEnabled());
        QVERIFY(!p->b_edit_last_picture->isEnabled());
        QVERIFY(!p->b_rename_last_pic->isEnabled());
        slides().current_slide = 2;
        save_setting(key::last_picture_file, QString("/p/a.jpg"));
        p->activate();
        QVERIFY(p->b_resume_slide_show->isEnabled());
        QVERIFY(p->b_open_last_picture->isEnabled());
        QVERIFY(p->b_delete_last_picture->isEnabled());
        QVERIFY(p->b_edit_last_picture->isEnabled());
        QCOMPARE(p->t_last_file->text(), QString("/p/a.jpg"));
        QVERIFY(p->b_rename_last_pic->isEnabled());
    }

    void clicks_write_settings_at_once()
    {
        f_start *p = open_panel();
        p->c_random->click();
        QCOMPARE(get_setting(key::random), QString("-1"));
        p->c_fit_mode->click();
        QCOMPARE(get_setting(key::fit_mode), QString("-1"));
        p->o_sort_descending->click();
        QCOMPARE(get_setting(key::sort_descending), QString("-1"));
        QVERIFY(panel_state().sort_descending);
        p->o_sort_by_datetime->click();
        QCOMPARE(get_setting(key::sort_by_datetime), QString("-1"));
        p->o_sort_ascending->click();
        QCOMPARE(get_setting(key::sort_descending), QString("0"));
    }

    void interval_field()
    {
        test::TestWindows layer;
        f_start *p = open_panel();
        p->t_interval->clear();
        p->c_auto_show->click();
        QCOMPARE(get_setting(key::autom), QString("-1"));
        QCOMPARE(p->t_interval->text(), QString("2000"));
        QCOMPARE(slides().interval_ms, 2000);
        p->t_interval->setText("abc");
        QCOMPARE(slides().interval_ms, 2000);
        p->t_interval->setText("");
        QCOMPARE(slides().interval_ms, 0);
        p->t_interval->setText("750");
        QVERIFY(get_setting(key::interval).isEmpty());
        // Saved on leaving the field.
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(p->t_interval, &out);
        QCOMPARE(get_setting(key::interval), QString("750"));
        // And at unload when changed since.
        p->t_interval->setText("900");
        p->close();
        QCOMPARE(get_setting(key::interval), QString("900"));
    }

    void escape_unloads_the_panel()
    {
        test::TestWindows layer;
        f_start *p = open_panel();
        QTest::keyClick(p->t_search_string_1, Qt::Key_Escape);
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
        QCOMPARE(p->t_search_string_1->text(), QString("text"));
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
        f_start *p = open_panel();
        p->c_black_screen->click();
        QCOMPARE(get_setting(key::black_screen), QString("-1"));
        QVERIFY(f_black::loaded());
        QVERIFY(panel_state().black_screen_loaded);
        p->c_black_screen->click();
        QTRY_VERIFY(!f_black::loaded());
        QVERIFY(!panel_state().black_screen_loaded);
    }

    void black_screen_restored_at_load()
    {
        save_setting(key::black_screen, QString("-1"));
        f_start *p = open_panel();
        QVERIFY(p->c_black_screen->isChecked());
        QVERIFY(f_black::loaded());
    }
};

QTEST_MAIN(tst_f_start)
#include "tst_f_start.moc"
