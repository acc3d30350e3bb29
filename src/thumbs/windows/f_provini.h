// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "thumbs/thumbnail_drawer.h"
#include "thumbs/thumbnail_sheet.h"

#include <QMainWindow>

#include <map>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace lf {

// The thumbnail sheet window (one per process).
class f_provini : public QMainWindow {
    Q_OBJECT
public:
    // Unloads the open sheet, then loads one on current_thumbnail_file.
    static void load_sheet();
    // The loaded sheet, or nullptr.
    static f_provini *loaded();

    ThumbnailDrawer *drawer() { return &drawer_; }
    QLabel *picx(int index) const;
    QLabel *l_filename(int index) const;
    int selected_index() const { return selected_index_; }

    void display_provini();
    void show_next_previous_tn_file(bool nextfile);
    void set_me_caption();
    void display_singolo_provino(int indice, const QString &fotografia);
    void seleziona_pic(int index);
    void open_selected();
    void rename_selected();
    void edit_selected();
    void delete_selected();

    QAction *m_resume, *m_show_next_tn_file, *m_show_previous_tn_file, *m_select_tn_file,
        *m_other_functions, *m_prev, *m_next, *m_show_normal_size, *m_rename_file, *m_edit_file,
        *m_refresh_file, *m_delete_file;
    QMenu *m_do, *m_popups;

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    f_provini();
    void build_menus();
    void unload();
    void stop_drawing_by_user();
    bool handle_key(QKeyEvent *e);
    void apply_height(int sheet_height);
    void show_thumbnail(const DrawnThumbnail &t);
    void on_interrupted();
    int index_of(QObject *o) const;
    void hide_popup_menu();

    ThumbnailDrawer drawer_;
    QScrollArea *area_ = nullptr;
    QWidget *canvas_ = nullptr;
    std::map<int, QLabel *> picx_;
    std::map<int, QLabel *> labels_;
    int selected_index_ = 0;
    int last_selected_index_ = 0;
    int sheet_height_ = 0;
    bool loading_ = false;
    bool force_close_ = false;
    bool placing_ = false;
};

} // namespace lf
