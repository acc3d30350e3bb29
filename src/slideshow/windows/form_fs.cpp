// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/windows/form_fs.h"

#include "app/app_state.h"
#include "app/desktop_session.h"
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
#include "panel/windows/f_start.h"
#include "slideshow/slide_commands.h"
#include "slideshow/slide_keys.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_numbers.h"
#include "slideshow/slide_placement.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/windows/fs_popup_menu.h"
#include "slideshow/windows/fs_status_bar.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/fitted_decode.h"
#include "viewer/jpeg_saving.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <climits>

namespace lf {
namespace {

// Tags only ever grow, so two windows never share one.
int window_counter = 0;
} // namespace

form_fs::form_fs() : QWidget(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("form_fs"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(file_name_of(slides().slide_show_file));
    build_controls();
    m_popup = new fs_popup_menu(this);
}

form_fs::~form_fs() = default;

void form_fs::build_controls()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &form_fs::timer_tick);

    picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("picture1"));
    picture1->hide();
    picture1->installEventFilter(this);

    status_ = new fs_status_bar(this, this);

    outside_click_ = new QTimer(this);
    outside_click_->setSingleShot(true);
    outside_click_->setInterval(QApplication::doubleClickInterval());
    connect(outside_click_, &QTimer::timeout, this, &form_fs::to_moving_window);
}


void form_fs::open_slide_show_window()
{
    hourglass(true);
    auto *w = new form_fs;
    w->tag_ = format_tag(++window_counter);
    w->first_load();
    hourglass(false);
    w->show_next();
}

int form_fs::screen_w() const { return screen_twips().width; }
int form_fs::screen_h() const { return screen_twips().height; }

QSize form_fs::decode_fit() const
{
    // Decoded straight to the size it is shown at when it is shrunk to fit,
    // so that showing it needs no scaling.
    const int h = decode_height(screen_h(), status_->filename_height(),
                                slides().slide_show_active && slides().comments_visible);
    return device_pixel_size(screen_w(), h, screen_pixel_ratio()).expandedTo(QSize(1, 1));
}

void form_fs::first_load()
{
    picture_path_ = app().last_picture_file;
    if (!picture_path_.isEmpty())
        QGuiApplication::clipboard()->setText(picture_path_);
    if (f_start *p = f_start::loaded(); p && p->isVisible())
        p->hide();
    m_popup->m_hide_show_status_bar->setChecked(!slides().comments_visible);
    m_popup->m_hide_mousepointer->setChecked(numeric_int(get_setting(key::hide_mousepointer)) == -1);
    update_mode_marks();
    add_tag(registry().open_slide_show_windows, tag_);
    if (!slides().slide_show_active)
        m_popup->set_single_picture();
    // Written the moment the panel's option changes; read here too for a
    // show started from the command line, where no panel has loaded.
    viewer().fit_mode = numeric_int(get_setting(key::fit_mode)) != 0;
    // A single picture handed over keeps the size it had on the first show.
    handover_width_ = viewer().handover_width;
    handover_height_ = viewer().handover_height;
    busy_cursor(true);
    Timer1->stop();
    setGeometry(0, 0, twips_to_px(screen_w()), twips_to_px(screen_h()));
    showFullScreen();
    do_events();
    loaded_ = true;
}

void form_fs::busy_cursor(bool on)
{
    if (slides().slide_show_active)
        setCursor(on ? Qt::WaitCursor : Qt::BlankCursor);
    else
        setCursor(on ? Qt::WaitCursor : Qt::ArrowCursor);
}

void form_fs::manual_mode()
{
    slides().auto_advance = false;
    Timer1->stop();
}

void form_fs::update_mode_marks()
{
    m_popup->set_order_marks(slides().random_order);
}

form_fs::Pick form_fs::select_picture()
{
    const PictureChoice c = choose_picture(slides(), cursor_, app().deleted_pictures);
    if (c.kind == PictureChoice::NothingLeft)
        return Pick::NothingLeft;
    last_selection_ = c.selection;
    picture_path_ = c.path;
    app().last_picture_file = picture_path_;
    return c.kind == PictureChoice::Picture ? Pick::Picture : Pick::Bad;
}

void form_fs::show_next()
{
    if (loading_ || closed_)
        return;
    loading_ = true;
    busy_cursor(true);
    Timer1->stop();
    const bool show = slides().slide_show_active;
    last_selection_ = {};
    if (show) {
        const Pick p = select_picture();
        if (p == Pick::NothingLeft) {
            // Every entry was deleted: nothing can come next.
            loading_ = false;
            close();
            return;
        }
        if (p == Pick::Bad) {
            loading_ = false;
            busy_cursor(false);
            return;
        }
    }
    hide_pointer_rule();
    status_margin_ = status_->filename_height() + status_margin_extra;
    if (!show && !is_picture_file(picture_path_)) {
        notify(QStringLiteral("Bad file name: ") + picture_path_);
        loading_ = false;
        busy_cursor(false);
        return;
    }
    QGuiApplication::clipboard()->setText(picture_path_);
    update_comment();
    picture1->hide();
    obtain_picture();

    pic_ = place_picture({original_width_, original_height_, screen_w(), screen_h(),
                          slides().comments_visible && show, status_margin_, viewer().fit_mode,
                          show, handover_width_, handover_height_});
    handover_width_ = handover_height_ = 0;
    apply_picture_geometry();

    if (show)
        record_shown(slides(), last_selection_);
    set_comments(slides().comments_visible, false);
    if (slides().auto_advance && show && slides().interval_ms > 0)
        Timer1->start(slides().interval_ms);
    busy_cursor(false);
    loading_ = false;
    prefetch_next();
}

void form_fs::obtain_picture()
{
    ViewerState &v = viewer();
    QSize natural;
    if (v.picture_from_holder) {
        v.picture_from_holder = false;
        image_ = v.holder;
        v.holder = QImage();
        file_time_ = QFileInfo(picture_path_).lastModified();
        natural = held_natural_size(v, image_.size(), screen_pixel_ratio());
    } else {
        DecodedPicture d = prefetcher_.take(picture_path_, decode_fit());
        if (d.valid())
            ++prefetch_hits_;
        else
            d = decode_picture(picture_path_, decode_fit());
        image_ = d.image;
        natural = d.natural;
        file_time_ = d.file_time;
        save_setting(key::last_picture_file, picture_path_);
    }
    note_natural_size(v, natural, screen_pixel_ratio());
    original_width_ = v.original_width;
    original_height_ = v.original_height;
    picture1->setPixmap(device_pixmap(image_));
}

QPixmap form_fs::device_pixmap(const QImage &image) const
{
    // Its own pixels are the screen's: unscaled, it is drawn 1:1.
    QPixmap p = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    p.setDevicePixelRatio(devicePixelRatioF());
    return p;
}

void form_fs::apply_picture_geometry()
{
    place_control(picture1, pic_);
    picture1->setScaledContents(picture1->size() * devicePixelRatioF() != image_.size());
    picture1->setVisible(!image_.isNull());
    picture1->lower();
}

void form_fs::prefetch_next()
{
    if (!slides().slide_show_active || !read_ahead_)
        return;
    const int n = predict_next_forward(slides(), cursor_);
    if (n > 0 && n <= slides().slide_count) {
        const QString p = slides().slot(n).path;
        if (is_picture_file(p))
            prefetcher_.request(p, decode_fit());
    }
}

void form_fs::hide_pointer_rule()
{
    if (numeric_int(get_setting(key::hide_mousepointer)) != -1
        || !placement_possible_or_say_so(QGuiApplication::platformName()))
        return;
    const QPoint p = QCursor::pos();
    if (!pointer_moved_
        || pointer_too_central(px_to_twips(p.x()), px_to_twips(p.y()), screen_w(), screen_h()))
        QCursor::setPos(QPoint(10000, 10000));
    pointer_moved_ = true;
}

void form_fs::update_comment()
{
    const SlideList &s = slides();
    status_->set_comment(comment_text(picture_path_, s.current_slide, s.slide_count),
                         comment_full_text(picture_path_, s.current_slide, s.slide_count));
}

void form_fs::set_comments(bool visible, bool restart)
{
    const SlideList &s = slides();
    const bool v = visible && s.slide_show_active;
    status_->update(v, s.slide_show_active, status_captions(s, v, cursor_.wrapped), screen_w(),
                    screen_h());
    if (restart)
        restart_timer();
}

void form_fs::restart_timer()
{
    Timer1->stop();
    if (!(slides().auto_advance && slides().slide_show_active))
        return;
    // A tick at once shows the next picture; show_next then runs the timer
    // at the show's interval.
    Timer1->start(1);
}

void form_fs::timer_tick()
{
    Timer1->stop();
    if (slides().slide_show_active && slides().auto_advance)
        forward_step(false);
}

// --- step and mode commands

void form_fs::forward_step(bool manual)
{
    slides().go_backward = false;
    if (manual)
        manual_mode();
    show_next();
}

void form_fs::backward_step()
{
    slides().go_backward = true;
    manual_mode();
    show_next();
}

void form_fs::refresh()
{
    replay_current_slide(slides(), cursor_);
    app().last_picture_file = picture_path_;
    // Read anew from disk, not from the read-ahead.
    prefetcher_.forget();
    show_next();
}

void form_fs::go_to_number()
{
    if (ask_go_to_number(slides()))
        forward_step(false);
}

void form_fs::toggle_auto()
{
    set_auto_advance(slides(), !slides().auto_advance);
    set_comments(slides().comments_visible, true);
}

void form_fs::resume_auto()
{
    set_auto_advance(slides(), true);
    set_comments(slides().comments_visible, true);
}

void form_fs::resume_manual()
{
    set_auto_advance(slides(), false);
    set_comments(slides().comments_visible, true);
    show_next();
}

void form_fs::toggle_random()
{
    set_random_order(slides(), !slides().random_order);
    update_mode_marks();
    set_comments(slides().comments_visible, true);
}

void form_fs::random_mode()
{
    set_random_order(slides(), true);
    update_mode_marks();
    set_comments(slides().comments_visible, true);
    if (!slides().auto_advance)
        forward_step(false);
}

void form_fs::sequential_mode()
{
    if (!sequential_order_request(slides()))
        return;
    update_mode_marks();
    forward_step(false);
}

void form_fs::change_interval()
{
    const bool was_auto = slides().auto_advance;
    slides().auto_advance = false;
    ask_new_interval(slides());
    set_comments(slides().comments_visible, false);
    slides().auto_advance = was_auto;
    if (was_auto)
        restart_timer();
}

void form_fs::toggle_status_bar()
{
    const bool show = status_->bar_hidden();
    slides().comments_visible = show;
    m_popup->m_hide_show_status_bar->setChecked(!show);
    save_setting(key::comments_hidden, bool_text(!show));
    set_comments(show, false);
    refresh();
}

// --- placement commands

void form_fs::zoom(bool in)
{
    pic_ = zoom_picture(pic_, in, original_width_, original_height_, screen_w(), screen_h());
    apply_picture_geometry();
}

void form_fs::natural_size()
{
    manual_mode();
    if (pic_.width == original_width_ && pic_.height == original_height_) {
        refresh();
        return;
    }
    if (image_.width() < twips_to_picture_px(original_width_, screen_pixel_ratio())
        && file_exists(picture_path_)) {
        // The screen-sized decode would be blurred at full size.
        const QImage full = load_picture(picture_path_);
        if (!full.isNull()) {
            image_ = full;
            picture1->setPixmap(device_pixmap(image_));
        }
    }
    pic_ = centred(original_width_, original_height_, screen_w(), screen_h());
    apply_picture_geometry();
}

void form_fs::pan(int dx, int dy)
{
    pic_.left += dx;
    pic_.top += dy;
    apply_picture_geometry();
}

// --- hand-over commands

void form_fs::hold_picture_for_next(int width, int height)
{
    hold_for_next_window(viewer(), picture_path_, image_, 0, 0, width, height, original_width_,
                         original_height_);
}

void form_fs::hand_back()
{
    outside_click_->stop();
    ViewerState &v = viewer();
    app().last_picture_file = picture_path_;
    if (v.last_viewer == QLatin1String("nf2")) {
        to_moving_window();
        return;
    }
    hold_picture_for_next(pic_.width, pic_.height);
    v.fresh_open = false;
    windows().new_picture_window();
    close();
}

bool form_fs::moving_window_pending() const { return outside_click_->isActive(); }

void form_fs::to_moving_window()
{
    outside_click_->stop();
    if (closed_ || slides().slide_show_active || picture_path_.isEmpty())
        return;
    // A zoomed picture still has to fit on the screen to move over it.
    const ScreenTwips s = screen_twips();
    const TwipRect size = moving_handover_size(pic_.width, pic_.height, s.width, s.work_height());
    hold_picture_for_next(size.width, size.height);
    viewer().fresh_open = true;
    app().last_picture_file = picture_path_;
    windows().open_moving_window(picture_path_);
    close();
}

void form_fs::open_normal_view_keeping()
{
    manual_mode();
    hold_picture_for_next(pic_.width, pic_.height);
    windows().open_picture(picture_path_, true);
}

void form_fs::crop()
{
    viewer().crop_request = true;
    open_normal_view_keeping();
}

void form_fs::delete_picture()
{
    const QString path = picture_path_;
    if (path.isEmpty() || !file_exists(path))
        return;
    // The question stands alone on the screen: the sheet and the panel
    // are out of the way meanwhile.
    f_provini *sheet = f_provini::loaded();
    f_start *panel = f_start::loaded();
    if (sheet)
        sheet->hide();
    if (panel)
        panel->hide();
    const bool yes = ask_delete_picture(path);
    if (sheet)
        sheet->show();
    if (panel && yes)
        panel->show();
    activateWindow();
    setFocus();
    if (!yes || !delete_with_backup(path))
        return;
    picture_path_.clear();
    forget_deleted_picture(slides());
    if (slides().slide_show_active) {
        manual_mode();
        update_comment();
        forward_step(false);
    }
}

void form_fs::copy_to_clipboard()
{
    busy_cursor(true);
    QGuiApplication::clipboard()->clear();
    if (!image_.isNull())
        QGuiApplication::clipboard()->setImage(image_);
    busy_cursor(false);
}

void form_fs::edit()
{
    start_picture_editor(get_setting(key::picture_editor), picture_path_,
                         full_screen_editor_messages());
}

void form_fs::save_file_as()
{
    manual_mode();
    if (picture_path_.isEmpty())
        return;
    copy_file_as(picture_path_, folder_of(picture_path_));
}

void form_fs::restore_unaltered()
{
    if (picture_path_.isEmpty())
        return;
    if (restore_picture(picture_path_))
        refresh();
}

void form_fs::show_folder() { open_in_explorer(folder_of(picture_path_)); }

// --- closing

void form_fs::end_running_show()
{
    if (!slides().slide_show_active)
        return;
    if (!slides().own_file)
        hide();
    end_slide_show(picture_path_);
}

void form_fs::exit_show()
{
    unsetCursor();
    end_running_show();
    // The panel first, so that closing this window does not end the program.
    windows().show_main_panel();
    close();
}

void form_fs::main_panel()
{
    windows().show_main_panel();
    end_running_show();
    close();
}

void form_fs::escape()
{
    if (registry().open_picture_windows.isEmpty() && !slides().slide_show_active) {
        cleanup_and_end();
        return;
    }
    unsetCursor();
    end_running_show();
    close();
}

void form_fs::exit_label()
{
    windows().show_main_panel();
    close();
}

void form_fs::closeEvent(QCloseEvent *e)
{
    if (closed_) {
        QWidget::closeEvent(e);
        return;
    }
    closed_ = true;
    Timer1->stop();
    outside_click_->stop();
    prefetcher_.forget();
    QWidget::closeEvent(e);
    if (registry().main_panel_loaded) {
        if (f_start *p = f_start::loaded(); p && p->isHidden())
            windows().show_main_panel();
    }
    if (!remove_tag(registry().open_slide_show_windows, tag_)) {
        stop_on_missing_tag();
        return;
    }
    end_running_show();
    after_viewing_window_closed();
}

// --- events

void form_fs::keyPressEvent(QKeyEvent *e)
{
    const FsKeyAction a =
        fs_key_action(e->key(), e->modifiers(), e->text(), slides().slide_show_active);
    using C = FsCommand;
    switch (a.command) {
    case C::None: return;
    case C::RestoreUnaltered: restore_unaltered(); return;
    case C::CopyPicture: copy_to_clipboard(); return;
    case C::BackwardStep: backward_step(); return;
    case C::ForwardStep: forward_step(true); return;
    case C::NextOrHandBack:
        if (!loading_)
            slides().slide_show_active ? forward_step(false) : hand_back();
        return;
    case C::Pan: pan(a.pan_x, a.pan_y); return;
    case C::Menu: popup(); return;
    case C::Refresh:
        manual_mode();
        refresh();
        return;
    case C::RandomMode: random_mode(); return;
    case C::SaveAs: save_file_as(); return;
    case C::Crop: crop(); return;
    case C::ResumeManual: resume_manual(); return;
    case C::ResumeAuto: resume_auto(); return;
    case C::NormalView:
        manual_mode();
        slides().slide_show_active = false;
        hand_back();
        return;
    case C::ToggleAuto: toggle_auto(); return;
    case C::Delete:
        manual_mode();
        delete_picture();
        return;
    case C::Edit: edit(); return;
    case C::ShowFolder: show_folder(); return;
    case C::ToggleStatusBar: toggle_status_bar(); return;
    case C::SequentialMode: sequential_mode(); return;
    case C::Escape: escape(); return;
    case C::ZoomIn: zoom(true); return;
    case C::ZoomOut: zoom(false); return;
    case C::NaturalSize: natural_size(); return;
    case C::RestoreProportions:
        pic_ = restore_proportions(pic_, original_width_, original_height_, screen_w(), screen_h());
        apply_picture_geometry();
        return;
    }
}

void form_fs::popup()
{
    manual_mode();
    m_popup->popup(QCursor::pos());
}

void form_fs::picture_pressed(Qt::MouseButton b, bool on_picture)
{
    Q_UNUSED(on_picture);
    if (b == Qt::RightButton) {
        popup();
        return;
    }
    if (slides().slide_show_active) {
        manual_mode();
        update_comment();
        forward_step(false);
    }
}

void form_fs::mousePressEvent(QMouseEvent *e) { picture_pressed(e->button(), false); }

void form_fs::mouseReleaseEvent(QMouseEvent *e)
{
    // A click beside a single picture turns it into a moving window, unless
    // it becomes a double click.
    if (e->button() == Qt::LeftButton && !closed_ && !slides().slide_show_active && !loading_
        && !picture1->geometry().contains(e->position().toPoint()))
        outside_click_->start();
}

void form_fs::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    outside_click_->stop();
    if (!slides().slide_show_active)
        hand_back();
}

void form_fs::label_clicked(QObject *o)
{
    using Item = fs_status_bar::Item;
    switch (status_->item_of(o)) {
    case Item::Forward: forward_step(false); break;
    case Item::Backward: backward_step(); break;
    case Item::Auto: toggle_auto(); break;
    case Item::Random: toggle_random(); break;
    case Item::Interval: change_interval(); break;
    case Item::Filename: go_to_number(); break;
    case Item::Exit: exit_label(); break;
    case Item::ShowHide: toggle_status_bar(); break;
    case Item::None: break;
    }
}

bool form_fs::eventFilter(QObject *o, QEvent *e)
{
    if (o == picture1) {
        if (e->type() == QEvent::MouseButtonPress) {
            picture_pressed(static_cast<QMouseEvent *>(e)->button(), true);
            return true;
        }
        if (e->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
                slides().slide_show_active ? forward_step(false) : hand_back();
            return true;
        }
        return false;
    }
    if (status_ && status_->item_of(o) != fs_status_bar::Item::None
        && e->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent *>(e)->button() == Qt::RightButton)
            popup();
        else
            label_clicked(o);
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void form_fs::check_file_changed()
{
    file_check_posted_ = false;
    if (loading_ || closed_ || !file_time_.isValid() || !file_exists(picture_path_))
        return;
    if (QFileInfo(picture_path_).lastModified() != file_time_) {
        file_time_ = {};
        refresh();
    }
}

bool form_fs::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::WindowActivate:
    case QEvent::FocusIn:
    case QEvent::Paint:
        // Not from inside the paint: reloading repaints.
        if (!file_check_posted_ && loaded_) {
            file_check_posted_ = true;
            QTimer::singleShot(0, this, &form_fs::check_file_changed);
        }
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

} // namespace lf
