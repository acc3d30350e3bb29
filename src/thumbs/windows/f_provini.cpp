// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/windows/f_provini.h"

#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/paths.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"
#include "viewer/viewer_state.h"

#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

namespace lf {
namespace {

QPointer<f_provini> sheet;

QAction *item(QWidget *parent, const char *name, const QString &caption)
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction *separator(QMenu *m, const char *name)
{
    QAction *s = m->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

} // namespace

f_provini *f_provini::loaded() { return sheet; }

f_provini::f_provini()
{
    setObjectName(QStringLiteral("f_provini"));
    setAttribute(Qt::WA_DeleteOnClose);
    build_menus();

    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("sheet_area"));
    area_->setFocusPolicy(Qt::NoFocus);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setWidgetResizable(false);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("sheet_canvas"));
    area_->setWidget(canvas_);
    setCentralWidget(area_);
    area_->installEventFilter(this);
    area_->viewport()->installEventFilter(this);
    canvas_->installEventFilter(this);

    connect(&drawer_, &ThumbnailDrawer::height_needed, this, &f_provini::apply_height);
    connect(&drawer_, &ThumbnailDrawer::thumbnail_drawn, this, &f_provini::show_thumbnail);
    connect(&drawer_, &ThumbnailDrawer::interrupted, this, &f_provini::on_interrupted);
    connect(&drawer_, &ThumbnailDrawer::completed, this, [this] { m_resume->setEnabled(false); });
    connect(&drawer_, &ThumbnailDrawer::abort_requested, this, &f_provini::unload);
}

void f_provini::build_menus()
{
    QMenuBar *bar = menuBar();
    m_do = bar->addMenu(QStringLiteral("&Do..."));
    m_do->setObjectName(QStringLiteral("m_do"));
    m_resume = item(this, "m_resume", QStringLiteral("&Resume displaying"));
    m_show_next_tn_file = item(this, "m_show_next_tn_file", QStringLiteral("&Next thumbnail file (Page Down)"));
    m_show_previous_tn_file
        = item(this, "m_show_previous_tn_file", QStringLiteral("&Previous thimbnail file (Page Up)"));
    m_select_tn_file = item(this, "m_select_tn_file", QStringLiteral("&Select thumbnail file"));
    m_other_functions = item(this, "m_other_functions", QStringLiteral("&Main panel"));
    m_do->addAction(m_resume);
    separator(m_do, "m_sep1");
    m_do->addAction(m_show_next_tn_file);
    m_do->addAction(m_show_previous_tn_file);
    separator(m_do, "m_sep2");
    m_do->addAction(m_select_tn_file);
    separator(m_do, "m_sep3");
    m_do->addAction(m_other_functions);

    m_prev = item(this, "m_prev", QStringLiteral("<<<"));
    m_next = item(this, "m_next", QStringLiteral(">>>"));
    bar->addAction(m_prev);
    bar->addAction(m_next);

    m_popups = bar->addMenu(QStringLiteral("popups"));
    m_popups->setObjectName(QStringLiteral("m_popups"));
    m_popups->menuAction()->setVisible(false);
    m_show_normal_size = item(this, "m_show_normal_size", QStringLiteral("Show normal size (B)"));
    m_rename_file = item(this, "m_rename_file", QStringLiteral("Rename file (N)"));
    m_edit_file = item(this, "m_edit_file", QStringLiteral("Edit file (E)"));
    m_refresh_file = item(this, "m_refresh_file", QStringLiteral("Refresh file (F5)"));
    m_delete_file = item(this, "m_delete_file", QStringLiteral("Delete file (DEL)"));
    m_popups->addActions({m_show_normal_size, m_rename_file, m_edit_file, m_refresh_file, m_delete_file});

    connect(m_resume, &QAction::triggered, this, [this] {
        set_me_caption();
        display_provini();
    });
    connect(m_show_next_tn_file, &QAction::triggered, this, [this] { show_next_previous_tn_file(true); });
    connect(m_next, &QAction::triggered, this, [this] { show_next_previous_tn_file(true); });
    connect(m_show_previous_tn_file, &QAction::triggered, this, [this] { show_next_previous_tn_file(false); });
    connect(m_prev, &QAction::triggered, this, [this] { show_next_previous_tn_file(false); });
    connect(m_select_tn_file, &QAction::triggered, this, [this] {
        unload();
        select_thumbnail_file(false);
    });
    connect(m_other_functions, &QAction::triggered, this, [] { windows().show_main_panel(); });
    connect(m_show_normal_size, &QAction::triggered, this, &f_provini::open_selected);
    connect(m_rename_file, &QAction::triggered, this, &f_provini::rename_selected);
    connect(m_edit_file, &QAction::triggered, this, &f_provini::edit_selected);
    connect(m_refresh_file, &QAction::triggered, this, [this] {
        if (QLabel *p = picx(selected_index_))
            display_singolo_provino(selected_index_, p->property("tag").toString());
    });
    connect(m_delete_file, &QAction::triggered, this, &f_provini::delete_selected);
}

void f_provini::load_sheet()
{
    ThumbnailState &t = thumbnails();
    if (sheet)
        sheet->unload();
    registry().thumbnails_open = false;
    set_thumbnail_grid();

    const QString file = t.current_thumbnail_file;
    if (!file_exists(file) || is_folder(file)) {
        notify(QStringLiteral("File not found"));
        return;
    }
    t.picture_list = read_thumbnail_file(file);
    if (t.picture_list.isEmpty()) {
        // An empty sheet is rebuilt from its folder; when that brings the
        // same empty sheet back, the user chooses another file instead.
        if (t.rebuilding_empty_sheet) {
            t.rebuilding_empty_sheet = false;
            select_thumbnail_file(false);
            return;
        }
        t.rebuilding_empty_sheet = true;
        build_and_show_thumbnails(folder_of(file));
        t.rebuilding_empty_sheet = false;
        return;
    }
    t.rebuilding_empty_sheet = false;

    auto *w = new f_provini;
    sheet = w;
    w->loading_ = true;
    registry().thumbnails_open = true;
    w->m_resume->setEnabled(false);
    const SheetLayout layout = SheetLayout::make(screen_width(), t.thumbnail_columns, app().frame_width,
                                                 app().frame_height);
    w->set_me_caption();
    w->sheet_height_ = layout.load_height();
    set_outer_geometry(w, {0, 0, layout.window_width(), layout.load_height()});
    w->canvas_->resize(twips_to_px(layout.canvas_width()), twips_to_px(layout.canvas_height(1)));
    w->show();
    save_setting(key::last_thumbnail_file, file);
    w->drawer_.set_sheet(t.picture_list, layout, screen_pixel_ratio());
    w->loading_ = false;
    w->display_provini();
}

QLabel *f_provini::picx(int index) const
{
    auto it = picx_.find(index);
    return it == picx_.end() ? nullptr : it->second;
}

QLabel *f_provini::l_filename(int index) const
{
    auto it = labels_.find(index);
    return it == labels_.end() ? nullptr : it->second;
}

void f_provini::display_provini()
{
    m_resume->setEnabled(false);
    drawer_.display();
}

void f_provini::apply_height(int h)
{
    // Past the limit the window stops growing and the sheet scrolls.
    if (h < sheet_height_limit)
        sheet_height_ = h;
    else if (sheet_height_ < sheet_height_limit - twips_per_pixel * 20)
        sheet_height_ = qMax(sheet_height_, drawer_.layout().sheet_height(1));
    const SheetLayout &l = drawer_.layout();
    const int i = drawer_.drawn_count() + 1;
    canvas_->resize(twips_to_px(l.canvas_width()), twips_to_px(l.canvas_height(i)));
    if (isMinimized() || isMaximized())
        return;
    TwipRect g = outer_geometry(this);
    int width = g.width;
    if (h >= sheet_height_limit && !area_->verticalScrollBar()->isVisible())
        width = qMin(screen_width(), qMax(width, l.window_width()
                                                    + px_to_twips(area_->verticalScrollBar()->sizeHint().width())));
    placing_ = true;
    set_outer_size(this, width, sheet_height_);
    placing_ = false;
}

void f_provini::show_thumbnail(const DrawnThumbnail &t)
{
    auto *label = new QLabel(canvas_);
    label->setObjectName(QStringLiteral("l_filename"));
    label->setProperty("index", t.index);
    label->setText(file_name_of(t.path));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_control(label, t.label);
    label->installEventFilter(this);
    label->show();
    labels_[t.index] = label;

    auto *box = new QLabel(canvas_);
    box->setObjectName(QStringLiteral("picx"));
    box->setProperty("index", t.index);
    box->setProperty("tag", t.path);
    if (!t.image.isNull())
        box->setPixmap(QPixmap::fromImage(t.image));
    place_control(box, t.picture);
    box->installEventFilter(this);
    box->show();
    picx_[t.index] = box;
}

void f_provini::on_interrupted()
{
    m_resume->setEnabled(true);
    setWindowTitle(windowTitle() + QStringLiteral(" (interrupted)"));
}

void f_provini::set_me_caption()
{
    const QString &file = thumbnails().current_thumbnail_file;
    const SequenceInfo info = explore_tn_sequence(file);
    setWindowTitle(sheet_caption(file, info));
    m_prev->setEnabled(info.prev_avail);
    m_show_previous_tn_file->setEnabled(info.prev_avail);
    m_next->setEnabled(info.next_avail);
    m_show_next_tn_file->setEnabled(info.next_avail);
}

void f_provini::show_next_previous_tn_file(bool nextfile)
{
    if (drawer_.drawing()) {
        drawer_.request_interrupt();
        return;
    }
    const SequenceStep step = next_previous_tn_file(thumbnails().current_thumbnail_file, nextfile);
    if (step.file.isEmpty()) {
        notify(step.message);
        return;
    }
    thumbnails().current_thumbnail_file = step.file;
    // This window is unloaded by the call below; nothing of it is used after.
    open_thumbnail_window();
}

void f_provini::display_singolo_provino(int indice, const QString &fotografia)
{
    QLabel *box = picx(indice);
    if (!box || fotografia.isEmpty())
        return;
    // Refresh reads the picture itself, and caches what it reads.
    const DrawnThumbnail t = decode_thumbnail(drawer_.layout(), indice, fotografia, drawer_.cache(),
                                              drawer_.pixel_ratio(), false);
    const TwipRect old = control_geometry(box);
    place_control(box, {old.left, old.top, t.picture.width, t.picture.height});
    box->setPixmap(t.image.isNull() ? QPixmap() : QPixmap::fromImage(t.image));
    box->setProperty("tag", fotografia);
    box->show();
}

void f_provini::seleziona_pic(int index)
{
    if (QLabel *old = l_filename(last_selected_index_))
        old->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    if (QLabel *l = l_filename(index))
        l->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    last_selected_index_ = selected_index_ = index;
    QLabel *box = picx(index);
    viewer().picture_to_open = box ? box->property("tag").toString() : QString();
}

void f_provini::open_selected()
{
    QLabel *box = picx(selected_index_);
    if (!box || box->isHidden())
        return;
    seleziona_pic(selected_index_);
    do_events();
    const QString path = viewer().picture_to_open;
    hourglass(true);
    save_setting(key::last_picture_file, path);
    app().last_picture_file = path;
    windows().open_picture(path, false);
    hourglass(false);
}

void f_provini::rename_selected()
{
    QLabel *box = picx(selected_index_);
    if (!box || box->isHidden())
        return;
    const QString old_path = box->property("tag").toString();
    RenameRules rules;
    rules.add_missing_extension = true;
    const QString new_path = ask_and_rename(old_path, QStringLiteral("Renaming the image file"), rules);
    if (new_path.isEmpty())
        return;
    viewer().picture_to_open = new_path;
    box->setProperty("tag", new_path);
    if (QLabel *l = l_filename(selected_index_))
        l->setText(file_name_of(new_path));
}

void f_provini::edit_selected()
{
    EditorMessages m;
    m.not_assigned = QStringLiteral("Path of picture editor is missing. Return tomain menu to assign it.");
    m.wrong = QStringLiteral("Path of picture editor is wrong.");
    start_picture_editor(app().picture_editor, viewer().picture_to_open, m);
}

void f_provini::delete_selected()
{
    QLabel *box = picx(selected_index_);
    if (!box || box->isHidden())
        return;
    const QString path = box->property("tag").toString();
    viewer().picture_to_open = path;
    if (ask(QStringLiteral("Do you really want to delete file ") + path + QStringLiteral("?"), Buttons::OkCancel,
            Icon::Question, 2, QStringLiteral("Deleting last picture"))
        != Answer::Ok)
        return;
    if (!delete_with_backup(path))
        return;
    viewer().picture_to_open.clear();
    save_setting(key::last_picture_file, QString());
    app().last_picture_file.clear();
    box->hide();
    if (QLabel *l = l_filename(selected_index_))
        l->hide();
}

void f_provini::stop_drawing_by_user()
{
    drawer_.request_interrupt();
    m_resume->setEnabled(true);
}

int f_provini::index_of(QObject *o) const
{
    const QVariant v = o->property("index");
    return v.isValid() ? v.toInt() : 0;
}

bool f_provini::handle_key(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (e->key()) {
    case Qt::Key_PageDown:
        show_next_previous_tn_file(true);
        return true;
    case Qt::Key_PageUp:
        show_next_previous_tn_file(false);
        return true;
    case Qt::Key_B:
        open_selected();
        return true;
    case Qt::Key_N:
        rename_selected();
        return true;
    case Qt::Key_E:
        edit_selected();
        return true;
    case Qt::Key_F5:
        m_refresh_file->trigger();
        return true;
    case Qt::Key_Delete:
        delete_selected();
        return true;
    case Qt::Key_Menu:
        if (mods == Qt::NoModifier) {
            m_popups->popup(QCursor::pos());
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (drawer_.drawing())
            stop_drawing_by_user();
        return true;
    default:
        return false;
    }
}

void f_provini::keyPressEvent(QKeyEvent *e)
{
    if (!handle_key(e))
        QMainWindow::keyPressEvent(e);
}

bool f_provini::eventFilter(QObject *o, QEvent *e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
        return handle_key(static_cast<QKeyEvent *>(e));
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (o->objectName() == QLatin1String("picx")) {
            seleziona_pic(index_of(o));
            stop_drawing_by_user();
            if (me->button() == Qt::RightButton)
                m_popups->popup(me->globalPosition().toPoint());
        } else {
            stop_drawing_by_user();
        }
        return o != area_ && o != area_->viewport() && o != canvas_;
    }
    case QEvent::MouseButtonDblClick:
        if (o->objectName() == QLatin1String("picx")) {
            selected_index_ = index_of(o);
            open_selected();
            return true;
        }
        if (o->objectName() == QLatin1String("l_filename")) {
            seleziona_pic(index_of(o));
            rename_selected();
            return true;
        }
        return false;
    default:
        return QMainWindow::eventFilter(o, e);
    }
}

void f_provini::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    if (loading_ || placing_ || isMinimized() || isMaximized() || sheet_height_ == 0)
        return;
    // Only the width follows the user.
    const TwipRect g = outer_geometry(this);
    if (qAbs(g.height - sheet_height_) > twips_per_pixel) {
        placing_ = true;
        set_outer_size(this, g.width, sheet_height_);
        placing_ = false;
    }
}

void f_provini::unload()
{
    force_close_ = true;
    close();
}

void f_provini::closeEvent(QCloseEvent *e)
{
    if (drawer_.drawing() && !force_close_) {
        // The first close request only stops the drawing.
        drawer_.request_interrupt();
        e->ignore();
        return;
    }
    drawer_.request_interrupt();
    QMainWindow::closeEvent(e);
    if (sheet == this)
        sheet = nullptr;
    registry().thumbnails_open = false;
    if (!registry().busy_opening)
        after_viewing_window_closed();
}

} // namespace lf
