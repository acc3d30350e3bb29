// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/windows/f_start.h"

#include "app/app_state.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "panel/main_panel_commands.h"
#include "panel/main_panel_layout.h"
#include "panel/panel_state.h"
#include "panel/windows/information_windows.h"
#include "panel/windows/search_controller.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/f_black.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"
#include "tools/file_association.h"
#include "tools/file_name_tools.h"
#include "viewer/viewer_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace lf {
namespace {
QPointer<f_start> panel;

template <class W, class... Args>
W *named(const char *name, QWidget *parent, Args &&...args)
{
    W *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QAction *action(QMenu *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

QAction *separator(QMenu *menu, const char *name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

f_start::f_start()
{
    setObjectName(QStringLiteral("f_start"));
    setAttribute(Qt::WA_DeleteOnClose);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    // The fixed button widths were made for a small dialog font.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    client_->setFont(small);
    build_controls();
    build_menu();
    SearchControls sc;
    sc.panel = this;
    sc.t_search_string_1 = t_search_string_1;
    sc.t_search_string_2 = t_search_string_2;
    sc.t_search_string_3 = t_search_string_3;
    sc.option_and = option_and;
    sc.List1 = List1;
    sc.lab_search_results = lab_search_results;
    sc.t_last_slideshow = t_last_slideshow;
    sc.t_last_thumbnail_file = t_last_thumbnail_file;
    sc.t_last_file = t_last_file;
    search_ = new SearchController(sc, this);
    connect_commands();
    // Keys reach the panel before the focused control.
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
    load();
}

f_start::~f_start()
{
    // The menus are windows of their own: whoever tears down every window
    // may reach them after the panel, so they outlive it by one event.
    for (const QPointer<QMenu> &m : std::as_const(menus_)) {
        if (!m)
            continue;
        m->setParent(nullptr, m->windowFlags());
        m->deleteLater();
    }
}

void f_start::build_controls()
{
    QWidget *c = client_;
    fra_pictures = named<QGroupBox>("fra_pictures", c, QStringLiteral("Pictures"));
    b_open_picture = named<QPushButton>("b_open_picture", fra_pictures, QStringLiteral("show picture..."));
    b_open_last_picture = named<QPushButton>("b_open_last_picture", fra_pictures, QStringLiteral("show last picture"));
    b_delete_last_picture = named<QPushButton>("b_delete_last_picture", fra_pictures, QStringLiteral("delete last picture"));
    b_edit_last_picture = named<QPushButton>("b_edit_last_picture", fra_pictures, QStringLiteral("edit last picture"));
    b_search_picture = named<QPushButton>("b_search_picture", fra_pictures, QStringLiteral("search picture..."));
    lab_string1 = named<QLabel>("lab_string1", fra_pictures, QStringLiteral("find 1"));
    lab_string2 = named<QLabel>("lab_string2", fra_pictures, QStringLiteral("find 2"));
    lab_string3 = named<QLabel>("lab_string3", fra_pictures, QStringLiteral("find 3"));
    t_search_string_1 = named<QLineEdit>("t_search_string_1", fra_pictures);
    t_search_string_2 = named<QLineEdit>("t_search_string_2", fra_pictures);
    t_search_string_3 = named<QLineEdit>("t_search_string_3", fra_pictures);
    fra_andor = named<QGroupBox>("fra_andor", fra_pictures);
    option_and = named<QRadioButton>("option_and", fra_andor, QStringLiteral("and"));
    option_or = named<QRadioButton>("option_or", fra_andor, QStringLiteral("or"));
    option_and->setChecked(true);

    fra_slides = named<QGroupBox>("fra_slides", c, QStringLiteral("Slide shows"));
    b_slideshow_from_search_results = named<QPushButton>("b_slideshow_from_search_results", fra_slides, QStringLiteral("slide show from search results..."));
    lab_show_interval = named<QLabel>("lab_show_interval", fra_slides, QStringLiteral("Interval (msecs)"));
    t_interval = named<QLineEdit>("t_interval", fra_slides);
    c_random = named<QCheckBox>("c_random", fra_slides, QStringLiteral("Random slide show"));
    c_auto_show = named<QCheckBox>("c_auto_show", fra_slides, QStringLiteral("Automatic slide show"));
    b_resume_slide_show = named<QPushButton>("b_resume_slide_show", fra_slides, QStringLiteral("resume slide show"));
    b_open_slide_show = named<QPushButton>("b_open_slide_show", fra_slides, QStringLiteral("run slide show..."));
    b_build_slide_show = named<QPushButton>("b_build_slide_show", fra_slides, QStringLiteral("build and run slide show..."));

    fra_thumbnails = named<QGroupBox>("fra_thumbnails", c, QStringLiteral("Thumbnails"));
    b_thumbnails_from_search_results = named<QPushButton>("b_thumbnails_from_search_results", fra_thumbnails, QStringLiteral("thumbnails from search results..."));
    b_show_thumbnail_file = named<QPushButton>("b_show_thumbnail_file", fra_thumbnails, QStringLiteral("show thumbnail file..."));
    b_build_and_show_thumbnails = named<QPushButton>("b_build_and_show_thumbnails", fra_thumbnails, QStringLiteral("build and show thumb nails..."));

    c_fit_mode = named<QCheckBox>("c_fit_mode", c, QStringLiteral("Fit mode (enlarging)"));
    c_black_screen = named<QCheckBox>("c_black_screen", c, QStringLiteral("Black screen"));
    fra_ascending = named<QGroupBox>("fra_ascending", c);
    o_sort_ascending = named<QRadioButton>("o_sort_ascending", fra_ascending, QStringLiteral("sort ascending"));
    o_sort_descending = named<QRadioButton>("o_sort_descending", fra_ascending, QStringLiteral("sort descending"));
    fra_by_file_name = named<QGroupBox>("fra_by_file_name", c);
    o_sort_by_filename = named<QRadioButton>("o_sort_by_filename", fra_by_file_name, QStringLiteral("sort by file name"));
    o_sort_by_datetime = named<QRadioButton>("o_sort_by_datetime", fra_by_file_name, QStringLiteral("sort by file date/time"));

    lab_last_picture = named<QLabel>("lab_last_picture", c, QStringLiteral("last picture"));
    t_last_file = named<QLineEdit>("t_last_file", c);
    b_rename_last_pic = named<QPushButton>("b_rename_last_pic", c, QStringLiteral("rename"));
    lab_last_slideshow = named<QLabel>("lab_last_slideshow", c, QStringLiteral("last slide show"));
    t_last_slideshow = named<QLineEdit>("t_last_slideshow", c);
    lab_last_thumbnail = named<QLabel>("lab_last_thumbnail", c, QStringLiteral("last thumbnail file"));
    t_last_thumbnail_file = named<QLineEdit>("t_last_thumbnail_file", c);
    l_picture_editor = named<QLabel>("l_picture_editor", c, QStringLiteral("picture editor"));
    t_picture_editor = named<QLineEdit>("t_picture_editor", c);
    b_change_editor = named<QPushButton>("b_change_editor", c, QStringLiteral("change"));
    lab_init_dir_for_search = named<QLabel>("lab_init_dir_for_search", c, QStringLiteral("in. dir for search"));
    t_init_dir_for_search = named<QLineEdit>("t_init_dir_for_search", c);
    b_change_init_dir_for_search = named<QPushButton>("b_change_init_dir_for_search", c, QStringLiteral("change"));
    lab_search_results = named<QLabel>("lab_search_results", c, QStringLiteral("Search results (0 files)"));
    List1 = named<QListWidget>("List1", c);
    // One line of text per entry: a search result of thousands of paths is
    // laid out without measuring each one.
    List1->setUniformItemSizes(true);
    b_rename_last_pic->setEnabled(false);
}

void f_start::build_menu()
{
    m_do = menuBar()->addMenu(QStringLiteral("&Do"));
    m_do->setObjectName(QStringLiteral("m_do"));
    m_do->menuAction()->setObjectName(QStringLiteral("m_do"));
    m_add_string_to_names_of_all_files_of_given_directory =
        action(m_do, "m_add_string_to_names_of_all_files_of_given_directory",
               QStringLiteral("Add string to names of all files in a directory"));
    m_remove_string = action(m_do, "m_remove_string",
                             QStringLiteral("Remove string from names of all files in a directory"));
    m_rename_all_files = action(m_do, "m_rename_all_files",
                                QStringLiteral("Rename all files to sequence numbers"));
    m_sep_10 = separator(m_do, "m_sep_10");
    m_associate = action(m_do, "m_associate", QStringLiteral("Associate file types with this program"));
    m_oct20 = separator(m_do, "m_oct20");
    m_exit = action(m_do, "m_exit", QStringLiteral("&Exit (ESC)"));

    m_info = menuBar()->addMenu(QStringLiteral("&?"));
    m_info->setObjectName(QStringLiteral("m_info"));
    m_info->menuAction()->setObjectName(QStringLiteral("m_info"));
    m_help = action(m_info, "m_help", QStringLiteral("&Help"));
    m_web_site = action(m_info, "m_web_site", QStringLiteral("Author's web site"));
    m_version_history = action(m_info, "m_version_history", QStringLiteral("&Version history"));
    m_about = action(m_info, "m_about", QStringLiteral("&About Lumenfolio"));
    m_associate->setEnabled(false);
    menus_ = {m_do, m_info};
}

void f_start::connect_commands()
{
    auto on = [this](QPushButton *b, auto f) { connect(b, &QPushButton::clicked, this, f); };

    on(b_open_picture, [this] {
        const QString p = open_picture_command();
        if (!p.isEmpty())
            t_last_file->setText(p);
    });
    on(b_open_last_picture, [this] {
        if (!open_last_picture())
            t_last_file->clear();
    });
    on(b_delete_last_picture, [this] {
        if (delete_last_picture())
            activate();
    });
    on(b_edit_last_picture, [this] {
        switch (edit_last_picture(t_picture_editor->text())) {
        case EditorOutcome::Missing: b_change_editor->setFocus(); break;
        case EditorOutcome::Wrong: t_picture_editor->setFocus(); break;
        default: break;
        }
    });
    on(b_rename_last_pic, [this] {
        const QString p = rename_last_picture(t_last_file->text());
        if (!p.isEmpty())
            t_last_file->setText(p);
    });
    on(b_change_editor, [this] {
        const QString p = choose_picture_editor();
        if (!p.isEmpty())
            t_picture_editor->setText(p);
    });
    on(b_change_init_dir_for_search, [this] {
        const QString p = change_init_dir_for_search();
        if (!p.isEmpty())
            t_init_dir_for_search->setText(p);
    });
    on(b_open_slide_show, [this] {
        const bool hide_it = open_slide_show_command();
        t_last_slideshow->setText(slides().slide_show_file);
        if (hide_it)
            hide_panel();
    });
    on(b_resume_slide_show, [this] {
        resume_slide_show();
        hide_panel();
    });
    on(b_build_slide_show, [this] {
        const bool hide_it = build_slide_show_command();
        if (panel)
            t_last_slideshow->setText(slides().slide_show_file);
        if (hide_it && panel)
            hide_panel();
    });
    on(b_build_and_show_thumbnails, [] { build_and_show_thumbnails(QString()); });
    on(b_show_thumbnail_file, [this] {
        select_thumbnail_file(false);
        if (panel)
            t_last_thumbnail_file->setText(thumbnails().current_thumbnail_file);
    });
    on(b_search_picture, [this] { search_->search_picture(); });
    on(b_slideshow_from_search_results, [this] { search_->slide_show_from_search_results(); });
    on(b_thumbnails_from_search_results, [this] { search_->thumbnails_from_search_results(); });

    connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        // A file that is gone opens nothing, so the panel stays.
        if (item && search_->open_list_entry(List1->row(item)))
            hide_panel();
    });

    connect(t_last_file, &QLineEdit::textChanged, this,
            [this](const QString &t) { b_rename_last_pic->setEnabled(!t.trimmed().isEmpty()); });
    connect(t_interval, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (loading_)
            return;
        panel_state().interval_changed = true;
        if (const auto v = interval_from_text(t))
            slides().interval_ms = *v;
    });

    connect(c_random, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            set_panel_option(PanelOption::Random, on);
    });
    connect(c_fit_mode, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            set_panel_option(PanelOption::FitMode, on);
    });
    connect(c_auto_show, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_)
            return;
        set_panel_option(PanelOption::AutoShow, on);
        if (on && t_interval->text().trimmed().isEmpty())
            t_interval->setText(QStringLiteral("2000"));
    });
    connect(c_black_screen, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_)
            return;
        set_panel_option(PanelOption::BlackScreen, on);
        if (on)
            show_black_screen_behind();
        else
            f_black::unload();
    });
    auto option = [this](QRadioButton *b, void (*set)(bool), bool value) {
        connect(b, &QRadioButton::clicked, this, [this, set, value] {
            if (!loading_)
                set(value);
        });
    };
    option(o_sort_ascending, set_sort_descending, false);
    option(o_sort_descending, set_sort_descending, true);
    option(o_sort_by_filename, set_sort_by_datetime, false);
    option(o_sort_by_datetime, set_sort_by_datetime, true);

    connect(m_add_string_to_names_of_all_files_of_given_directory, &QAction::triggered, this,
            [] { add_string_to_names(); });
    connect(m_remove_string, &QAction::triggered, this, [] { remove_string_from_names(); });
    connect(m_rename_all_files, &QAction::triggered, this, [] { rename_to_sequence_numbers(); });
    connect(m_associate, &QAction::triggered, this,
            [] { associate_file_types(); });
    connect(m_exit, &QAction::triggered, this, [] { windows().end_process(); });
    connect(m_help, &QAction::triggered, this, [] { show_help(); });
    connect(m_web_site, &QAction::triggered, this, [] { open_web_site(); });
    connect(m_version_history, &QAction::triggered, this, [] { show_version_history(); });
    connect(m_about, &QAction::triggered, this, [] { show_about(); });
}

void f_start::load()
{
    registry().main_panel_loaded = true;
    setWindowTitle(panel_caption(app_title));

    loading_ = true;
    read_panel_options();
    c_random->setChecked(slides().random_order);
    t_interval->setText(QString::number(slides().interval_ms));
    c_fit_mode->setChecked(viewer().fit_mode);
    c_black_screen->setChecked(panel_state().black_screen);
    c_auto_show->setChecked(slides().auto_advance);
    set_sort_buttons();
    lay_out();
    center_on_work_area(this);
    loading_ = false;
}

void f_start::lay_out()
{
    MainPanelMeasures m;
    const QLabel *labels[] = {lab_string1, lab_string2, lab_string3};
    for (size_t i = 0; i < 3; ++i)
        m.find_label_widths[i] = px_to_twips(labels[i]->sizeHint().width());
    const MainPanelLayout l = main_panel_layout(m);
    for (auto it = l.rects.begin(); it != l.rects.end(); ++it)
        if (QWidget *w = findChild<QWidget *>(it.key()))
            place_control(w, it.value());
    set_outer_size(this, l.client_width + app().frame_width,
                   l.client_height + app().frame_height + px_to_twips(menuBar()->sizeHint().height()));
}

void f_start::set_sort_buttons()
{
    (panel_state().sort_descending ? o_sort_descending : o_sort_ascending)->setChecked(true);
    (panel_state().sort_by_datetime ? o_sort_by_datetime : o_sort_by_filename)->setChecked(true);
}

void f_start::show_black_screen_behind()
{
    f_black::show_black_screen();
    do_events();
    if (panel) {
        raise();
        activateWindow();
    }
}

void f_start::hide_panel()
{
    if (panel)
        hide();
}

f_start *f_start::loaded() { return panel; }

void f_start::show_main_panel()
{
    const bool first = !panel;
    if (first)
        panel = new f_start;
    panel->show();
    if (first && panel_state().black_screen && !panel_state().black_screen_loaded)
        panel->show_black_screen_behind();
    panel->raise();
    panel->activateWindow();
    panel->activate();
}

void f_start::associate_menu_enabled(bool enabled) { m_associate->setEnabled(enabled); }
bool f_start::associate_menu_is_enabled() const { return m_associate->isEnabled(); }

void f_start::activate()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const int list_bottom = bottom_edge(control_geometry(List1));
        const bool menu = menuBar()->isVisible() || !isVisible();
        // The formula's nominal frame and menu bar, corrected by the measured ones.
        const int height = main_panel_height(list_bottom, menu) + app().frame_extra_height
                         + (menu ? px_to_twips(menuBar()->sizeHint().height()) - panel_layout::menu_bar : 0);
        set_outer_size(this, outer_geometry(this).width, height);
    }
    AppState &a = app();
    a.last_picture_file = get_setting(key::last_picture_file);

    loading_ = true;
    set_sort_buttons();
    c_auto_show->setChecked(slides().auto_advance);
    c_black_screen->setChecked(panel_state().black_screen);
    c_random->setChecked(slides().random_order);
    t_interval->setText(QString::number(slides().interval_ms));
    loading_ = false;

    const PanelEnabling e = panel_enabling(slides().current_slide, a.last_picture_file);
    b_resume_slide_show->setEnabled(e.resume_slide_show);
    b_open_last_picture->setEnabled(e.last_picture_buttons);
    b_delete_last_picture->setEnabled(e.last_picture_buttons);
    b_edit_last_picture->setEnabled(e.last_picture_buttons);

    if (!a.picture_editor.trimmed().isEmpty())
        t_picture_editor->setText(a.picture_editor);
    t_last_file->setText(a.last_picture_file);
    t_last_slideshow->setText(slides().slide_show_file);
    t_last_thumbnail_file->setText(thumbnails().current_thumbnail_file);
    t_init_dir_for_search->setText(search_folder_for_panel());
}

bool f_start::handle_key(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        app().escape_pressed = true;
        close();
        return true;
    }
    if (e->key() == Qt::Key_V && (e->modifiers() & Qt::ControlModifier)) {
        const QMimeData *data = QApplication::clipboard()->mimeData();
        if (!data || !data->hasImage())
            return false;
        open_pasted_picture(qvariant_cast<QImage>(data->imageData()));
        return true;
    }
    return false;
}

bool f_start::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && (watched == this || isAncestorOf(qobject_cast<QWidget *>(watched))))
        return handle_key(static_cast<QKeyEvent *>(e));
    if (e->type() == QEvent::FocusOut && watched == t_interval)
        save_interval_if_changed();
    return QMainWindow::eventFilter(watched, e);
}

void f_start::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void f_start::closeEvent(QCloseEvent *e)
{
    QMainWindow::closeEvent(e);
    save_interval_if_changed();
    registry().main_panel_loaded = false;
    after_main_panel_closed();
}

} // namespace lf
