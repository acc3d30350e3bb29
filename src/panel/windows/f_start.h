// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

namespace lf {

class SearchController;

// The main panel: the hub every viewing window returns to.
class f_start : public QMainWindow {
    Q_OBJECT
public:
    // The loaded panel, or nullptr.
    ~f_start() override;
    static f_start *loaded();
    // Made visible and focused; loaded and shown first when needed.
    static void show_main_panel();
    void associate_menu_enabled(bool enabled);
    bool associate_menu_is_enabled() const;
    // Each time the panel becomes active: height, fields, enabling.
    void activate();

    QGroupBox *fra_pictures, *fra_andor, *fra_slides, *fra_thumbnails, *fra_ascending,
        *fra_by_file_name;
    QPushButton *b_open_picture, *b_open_last_picture, *b_delete_last_picture,
        *b_edit_last_picture, *b_search_picture, *b_slideshow_from_search_results,
        *b_resume_slide_show, *b_open_slide_show, *b_build_slide_show,
        *b_thumbnails_from_search_results, *b_show_thumbnail_file, *b_build_and_show_thumbnails,
        *b_rename_last_pic, *b_change_editor, *b_change_init_dir_for_search;
    QLabel *lab_string1, *lab_string2, *lab_string3, *lab_show_interval, *lab_last_picture,
        *lab_last_slideshow, *lab_last_thumbnail, *l_picture_editor, *lab_init_dir_for_search,
        *lab_search_results;
    QLineEdit *t_search_string_1, *t_search_string_2, *t_search_string_3, *t_interval,
        *t_last_file, *t_last_slideshow, *t_last_thumbnail_file, *t_picture_editor,
        *t_init_dir_for_search;
    QRadioButton *option_and, *option_or, *o_sort_ascending, *o_sort_descending,
        *o_sort_by_filename, *o_sort_by_datetime;
    QCheckBox *c_random, *c_auto_show, *c_fit_mode, *c_black_screen;
    QListWidget *List1;
    QMenu *m_do, *m_info;
    QAction *m_add_string_to_names_of_all_files_of_given_directory, *m_remove_string,
        *m_rename_all_files, *m_sep_10, *m_associate, *m_oct20, *m_exit, *m_help, *m_web_site,
        *m_version_history, *m_about;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    f_start();
    void build_controls();
    void build_menu();
    void connect_commands();
    void load();
    void lay_out();
    bool handle_key(QKeyEvent *e);
    void show_black_screen_behind();
    void set_sort_buttons();
    void hide_panel();

    QWidget *client_;
    QList<QPointer<QMenu>> menus_;
    SearchController *search_;
    bool loading_ = false;
};

} // namespace lf
