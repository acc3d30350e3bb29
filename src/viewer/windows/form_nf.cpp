// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/windows/form_nf.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/picture_versions.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "app/file_commands.h"
#include "motion/motion_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "thumbs/thumbnail_files.h"
#include "viewer/jpeg_saving.h"
#include "viewer/picture_commands.h"
#include "viewer/fitted_decode.h"
#include "viewer/picture_loader.h"
#include "viewer/picture_back_color.h"
#include "viewer/picture_window_refit.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/crop_controller.h"
#include "viewer/windows/image_control.h"
#include "viewer/windows/nf_popup_menu.h"
#include "viewer/windows/picture_window_save_host.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace lf {
namespace {

FrameTwips frame()
{
    const AppState &a = app();
    return {a.frame_width, a.frame_height, a.frame_extra_width, a.frame_extra_height};
}

} // namespace

form_nf::form_nf()
{
    setObjectName(QStringLiteral("form_nf"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAutoFillBackground(true);
    Picture2->hide();
    Imagex = new image_control(this);
    Imagex->setObjectName(QStringLiteral("Imagex"));
    // Clicks on the picture count as clicks on the window here.
    Imagex->setAttribute(Qt::WA_TransparentForMouseEvents);
    decoder_ = new PictureDecoder(this);
    stepper_ = new FolderStepper([this](QSize n) { return first_decode_size(n); },
                                 [this](const QString &path) {
                                     st_.picture_path = path;
                                     reload();
                                 },
                                 this);
    connect(Imagex, &image_control::wants_larger, this, &form_nf::decode_larger);
    connect(decoder_, &PictureDecoder::decoded, this,
            [this](quint64 id, const QString &path, const QImage &image) {
                if (id != decoder_->current_id() || path != st_.picture_path || image.isNull())
                    return;
                QImage old = Imagex->picture();
                Imagex->replace_decoded(image);
                decoder_->recycle(std::move(old));
            });

    m_popup = new nf_popup_menu(this);
    crop_ = new CropController(this, Imagex, m_allow_cropping);
    crop_->bind_state(&st_.crop_mode, &st_.cropped);
    connect(crop_, &CropController::picture_pressed, this, &form_nf::record_anchor);
    connect(crop_, &CropController::picture_dropped, this, &form_nf::picture_dropped);
    PictureWindowSaveHost::Hooks hooks;
    hooks.activate = [this] { activated(); };
    hooks.reload_after_replace = [this] {
        activated();
        reload();
        m_restore_uncropped_image->setVisible(true);
    };
    hooks.clear_start_cropping = [this] { st_.start_cropping = false; };
    save_host_ = new PictureWindowSaveHost(this, std::move(hooks));
    load_step();
}

form_nf::~form_nf()
{
    if (m_popup)
        m_popup->deleteLater();
    delete save_host_;
}

ScreenTwips form_nf::screen() const
{
    ScreenTwips s = screen_twips();
    s.taskbar = app().taskbar_height;
    return s;
}

TwipRect form_nf::picture_geometry() const { return control_geometry(Imagex); }

bool form_nf::shown_at_original() const
{
    const TwipRect p = picture_geometry();
    return p.width == st_.original_width && p.height == st_.original_height;
}

void form_nf::update_save_resized_item() { m_save_jpeg_resized->setVisible(!shown_at_original()); }

void form_nf::place_window(const TwipRect &r)
{
    // The resize this causes reaches resizeEvent later on some platforms;
    // it is recognised there as our own layout.
    applied_size_ = QSize(qMax(1, twips_to_px(r.width - app().frame_width)),
                          qMax(1, twips_to_px(r.height - app().frame_height)));
    set_outer_geometry(this, r);
}

void form_nf::apply(const PictureLayout &l)
{
    place_window(l.window);
    place_control(Imagex, l.picture);
    Picture1->setGeometry(rect());
    Picture1->lower();
}

void form_nf::load_into_imagex()
{
    ViewerState &v = viewer();
    if (v.picture_from_holder) {
        // Taken over once: the holder is emptied so that a later open or
        // refresh reads its file again.
        Imagex->set_picture(v.holder);
        v.holder = QImage();
        v.picture_from_holder = false;
    } else if (!file_exists(st_.picture_path)) {
        Imagex->set_picture(QImage());
        notify(QStringLiteral("File not found ") + st_.picture_path);
    } else {
        // Decoded at the size the window first shows it; a larger view asks
        // for a sharper decode in the background (wants_larger).
        decoder_->cancel();
        const DecodedPicture d = stepper_->obtain(st_.picture_path);
        Imagex->set_picture(d.image, d.natural);
    }
}

QSize form_nf::first_decode_size(QSize natural) const { return lf::first_decode_size(natural); }

void form_nf::decode_larger(QSize shown)
{
    const QSize s = larger_decode_size(Imagex->picture().size(), shown, Imagex->natural_size());
    if (s.isValid() && file_exists(st_.picture_path))
        decoder_->request(st_.picture_path, s);
}

QImage form_nf::full_picture() const
{
    if (Imagex->picture().size() == Imagex->natural_size() || !file_exists(st_.picture_path))
        return Imagex->picture();
    const QImage full = load_picture(st_.picture_path);
    return full.isNull() ? Imagex->picture() : full;
}

void form_nf::load_step()
{
    ViewerState &v = viewer();
    hourglass(true);
    st_.loading = true;
    do_events();
    st_.picture_path = v.picture_to_open;
    // Every picture window starts with motion off; "M" sets it again.
    motion().motion_on = false;
    crop_->set_file_name(file_name_of(st_.picture_path));

    st_.start_cropping = v.crop_request;
    if (m_restore_uncropped_image->isVisible() && !has_backup(app().tmp_pic_dir, st_.picture_path))
        m_restore_uncropped_image->setVisible(false);

    st_.tag = format_tag(v.window_counter);
    add_tag(registry().open_picture_windows, st_.tag);

    m_change_jpg_quality->setText(jpeg_quality_caption(current_jpeg_quality()));

    v.resize_suspended = true;
    load_into_imagex();
    app().last_picture_file = st_.picture_path;
    do_events();

    const QSize size = load_size(v, QSize(Imagex->natural_width(), Imagex->natural_height()));
    if (v.fresh_open)
        m_original_resolution->setText(
            original_resolution_caption(size.width(), size.height(), screen_pixel_ratio()));
    st_.original_width = v.original_width;
    st_.original_height = v.original_height;
    st_.aspect_ratio = v.aspect_ratio;

    const PictureLayout l = layout_at_load(screen(), frame(), size.width(), size.height(), st_.aspect_ratio);
    st_.shrunk_at_load = l.shrunk;
    apply(l);
    v.resize_suspended = false;

    v.fresh_open = false;
    crop_->reset();
    Imagex->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A fresh picture is unaltered.
    st_.cropped = st_.rescaled = st_.size_changed = false;
    if (st_.start_cropping)
        toggle_crop_mode();
    update_save_resized_item();

    paint_back(picture_back_color());

    st_.saved_width = l.window.width;
    st_.saved_height = l.window.height;
    center_form_nf();

    show();
    raise();
    activateWindow();
    setFocus();
    st_.file_time = QFileInfo(st_.picture_path).lastModified();
    st_.loading = false;
    // The clipboard, the stored last picture (a synced file write) and the
    // read-ahead wait until the picture is on screen: after the paint that
    // is queued already.
    QTimer::singleShot(0, this, [this, load = ++loads_] { after_shown(load); });

    setWindowTitle(caption_after_load(st_.picture_path, l.picture.width, st_.original_width));
    hourglass(false);
}

void form_nf::after_shown(quint64 load)
{
    if (load != loads_ || st_.picture_path.isEmpty())
        return; // loaded again, or deleted, meanwhile
    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(st_.picture_path);
    save_setting(key::last_picture_file, st_.picture_path);
    if (!Imagex->picture().isNull())
        stepper_->shown(st_.picture_path);
}

void form_nf::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Picture1->setGeometry(rect());
    if (st_.loading || viewer().resize_suspended || st_.aspect_ratio == 0
        || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    if (e->size() == applied_size_)
        return;
    if (st_.crop_mode) {
        crop_->note_resize();
        return;
    }
    resize_handling();
}

void form_nf::resize_handling()
{
    ViewerState &v = viewer();
    st_.rescaled = true;
    v.resize_suspended = true;
    Imagex->hide();

    const PictureLayout l = layout_after_resize(
        screen(), frame(), resize_input(st_, outer_geometry(this), picture_geometry(), v.fit_mode));
    apply(l);
    take_refit(st_, l);
    update_save_resized_item();
    v.resize_suspended = false;
    Imagex->show();
    v.handover_width = st_.original_width;
    v.handover_height = st_.original_height;
    setWindowTitle(caption_with_size(st_.picture_path, l.picture.width, l.picture.height,
                                     screen_pixel_ratio()));
}

void form_nf::normal_size()
{
    if (shown_at_original()) {
        reload();
        return;
    }
    ViewerState &v = viewer();
    v.resize_suspended = true;
    Imagex->hide();
    const PictureLayout l =
        layout_original_resolution(screen(), frame(), st_.original_width, st_.original_height);
    apply(l);
    st_.rel_left = l.rel_left;
    st_.rel_top = l.rel_top;
    Imagex->show();
    v.resize_suspended = false;
    if (l.needs_crop_mode)
        toggle_crop_mode();
}

void form_nf::Web_size()
{
    ViewerState &v = viewer();
    v.resize_suspended = true;
    Imagex->hide();
    const double ratio = screen_pixel_ratio();
    const PictureLayout l = layout_web_size(outer_geometry(this), st_.original_width,
                                            st_.original_height, st_.aspect_ratio, ratio);
    apply(l);
    setWindowTitle(caption_with_size(st_.picture_path, l.picture.width, l.picture.height, ratio));
    Imagex->show();
    v.resize_suspended = false;
}

void form_nf::zoom(bool zoom_in) { refit_to(zoomed_window(outer_geometry(this), zoom_in)); }

void form_nf::refit_to(const TwipRect &window, bool settle)
{
    ViewerState &v = viewer();
    Imagex->hide();
    v.resize_suspended = true;
    place_window(window);
    if (settle)
        do_events();
    v.resize_suspended = false;
    if (st_.aspect_ratio != 0)
        resize_handling();
    Imagex->show();
}

void form_nf::center_form_nf()
{
    const TwipRect r = centered_above_taskbar(screen(), outer_geometry(this));
    move_outer(this, r.left, r.top);
    viewer().anchor_top = r.top - border_offset_top;
    viewer().anchor_left = r.left - border_offset_left;
}

void form_nf::reload()
{
    ViewerState &v = viewer();
    v.fresh_open = true;
    v.picture_to_open = st_.picture_path;
    st_.rel_left = st_.rel_top = 0;
    v.window_counter = st_.tag.toInt();
    load_step();
}

void form_nf::toggle_crop_mode()
{
    crop_->toggle();
    // In crop mode the picture takes the mouse itself, for dragging.
    Imagex->setAttribute(Qt::WA_TransparentForMouseEvents, !st_.crop_mode);
}

void form_nf::change_check()
{
    if (st_.loading || st_.picture_path.isEmpty() || st_.file_time.isNull()
        || !file_exists(st_.picture_path))
        return;
    if (QFileInfo(st_.picture_path).lastModified() != st_.file_time) {
        reload();
        st_.file_time = QDateTime();
    }
}

void form_nf::activated()
{
    viewer().last_viewer = QStringLiteral("nf");
    if (get_setting(key::last_picture_file) != st_.picture_path)
        save_setting(key::last_picture_file, st_.picture_path);
    if (!st_.start_cropping)
        change_check();
}

bool form_nf::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::WindowActivate:
        if (!st_.loading)
            activated();
        break;
    case QEvent::FocusIn:
        change_check();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void form_nf::keyPressEvent(QKeyEvent *e)
{
    // The crop keys in crop mode first, then the command keys.
    const bool ctrl_or_alt = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!ctrl_or_alt && crop_->key_down(e)) {
        e->accept();
        return;
    }
    const PictureCommand c = command_for_key_event(e->key(), e->modifiers(), e->text(), st_.crop_mode);
    if (c == PictureCommand::None) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    run(c);
}

void form_nf::run(PictureCommand c)
{
    switch (c) {
    case PictureCommand::None: break;
    case PictureCommand::ZoomIn: zoom(true); break;
    case PictureCommand::ZoomOut: zoom(false); break;
    case PictureCommand::OriginalResolution: normal_size(); break;
    case PictureCommand::WebResolution: Web_size(); break;
    case PictureCommand::Restore: restore(); break;
    case PictureCommand::OpenMenu: open_popup(QCursor::pos()); break;
    case PictureCommand::NextPicture: next_previous(true); break;
    case PictureCommand::PreviousPicture: next_previous(false); break;
    case PictureCommand::CopyToClipboard: copy_to_clipboard(); break;
    case PictureCommand::DeletePicture: delete_pic(); break;
    case PictureCommand::Refresh:
        stepper_->forget(st_.picture_path);
        reload();
        break;
    case PictureCommand::Close: close(); break;
    case PictureCommand::FolderThumbnails: folder_thumbnails(); break;
    case PictureCommand::FolderSlideShow: folder_slide_show(); break;
    case PictureCommand::ShowFolder: show_folder(); break;
    case PictureCommand::CopyFileAs: copy_file(); break;
    case PictureCommand::FullScreen: full_screen(); break;
    case PictureCommand::ToggleCrop: toggle_crop_mode(); break;
    case PictureCommand::NoBorders: no_borders(); break;
    case PictureCommand::SaveCropped: save_jpeg(false); break;
    case PictureCommand::Motion: motion_on_off(); break;
    case PictureCommand::MainPanel: main_panel(); break;
    case PictureCommand::Rename: rename_pic(); break;
    case PictureCommand::SaveResized: save_jpeg(true); break;
    case PictureCommand::Edit: edit_pic(); break;
    case PictureCommand::FillScreen: fill_screen(); break;
    }
}

void form_nf::record_anchor()
{
    const TwipRect g = outer_geometry(this);
    viewer().anchor_left = g.left;
    viewer().anchor_top = g.top;
}

void form_nf::mousePressEvent(QMouseEvent *e)
{
    record_anchor();
    if (e->button() == Qt::RightButton)
        open_popup(e->globalPosition().toPoint());
}

void form_nf::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && Imagex->geometry().contains(e->position().toPoint()))
        full_screen();
}

void form_nf::picture_dropped(int left, int top)
{
    take_drop(st_, frame(), outer_geometry(this), left, top);
}

void form_nf::open_popup(const QPoint &global_pos)
{
    const PopupVisibility v =
        popup_visibility(st_.picture_path, st_.cropped, st_.rescaled, st_.shrunk_at_load);
    m_save_in_jpeg_format->setVisible(v.save_in_jpeg_format);
    m_save_jpeg_resized->setVisible(v.save_jpeg_resized);
    m_save_cropped_image_as->setVisible(v.save_cropped_image_as);
    m_popup->popup(global_pos);
}

void form_nf::folder_slide_show()
{
    const QString folder = folder_of(st_.picture_path);
    const QString shows_before = registry().open_slide_show_windows;
    registry().busy_opening = true;
    windows().show_please_wait(QStringLiteral("Please wait..."));
    hide();
    do_events();
    registry().busy_opening = false;
    build_slide_show(folder, false);
    windows().unload_please_wait();
    after_folder_command(registry().open_slide_show_windows != shows_before);
}

void form_nf::folder_thumbnails()
{
    const QString folder = folder_of(st_.picture_path);
    registry().busy_opening = true;
    windows().show_please_wait(QStringLiteral("Please wait..."));
    // Hidden now but closed only once the sheet is open: closing the last
    // window first would end the program before the sheet exists.
    hide();
    do_events();
    registry().busy_opening = false;
    build_and_show_thumbnails(folder);
    windows().unload_please_wait();
    after_folder_command(registry().thumbnails_open);
}

void form_nf::after_folder_command(bool opened)
{
    // A cancelled or empty build leaves the picture where it was instead of
    // ending the program with nothing on screen.
    if (opened) {
        close();
    } else {
        show();
        activateWindow();
    }
}

void form_nf::show_folder() { open_in_explorer(folder_of(st_.picture_path)); }

void form_nf::main_panel() { windows().show_main_panel(); }

bool form_nf::open_another(bool close_this)
{
    slides().slide_show_active = false;
    const QString file = ask_picture_to_open(get_setting(key::last_picture_file));
    if (file.isEmpty())
        return false;
    do_events();
    windows().open_picture(file, false);
    if (close_this)
        close();
    return true;
}

void form_nf::next_previous(bool next) { stepper_->step(st_.picture_path, next); }

void form_nf::delete_pic()
{
    if (st_.picture_path.isEmpty() || !confirm_delete(st_.picture_path))
        return;
    if (!delete_with_backup(st_.picture_path))
        return;
    st_.picture_path.clear();
    if (QClipboard *c = QGuiApplication::clipboard())
        c->clear();
    save_setting(key::last_picture_file, QString());
    app().last_picture_file.clear();
    exit_window();
}

void form_nf::copy_to_clipboard()
{
    hourglass(true);
    if (QClipboard *c = QGuiApplication::clipboard()) {
        c->clear();
        const QImage full = full_picture();
        if (!full.isNull())
            c->setImage(full);
    }
    hourglass(false);
}

void form_nf::edit_pic() { edit_with_picture_editor(get_setting(key::picture_editor), st_.picture_path); }

void form_nf::rename_pic()
{
    if (!file_exists(st_.picture_path)) {
        notify(QStringLiteral("File not found ") + st_.picture_path);
        return;
    }
    const QString renamed = ask_and_rename(st_.picture_path, QStringLiteral("Renaming last file"));
    if (renamed.isEmpty())
        return;
    st_.picture_path = renamed;
    reload();
    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(renamed);
}

void form_nf::copy_file()
{
    if (!file_exists(st_.picture_path)) {
        notify(QStringLiteral("File not found ") + st_.picture_path);
        return;
    }
    copy_file_as(st_.picture_path, folder_of(viewer().picture_to_open));
}

void form_nf::change_jpg_quality()
{
    const auto q = ask_jpeg_quality(current_jpeg_quality());
    if (!q)
        return;
    viewer().jpeg_quality = *q;
    save_setting(key::jpeg_quality, QString::number(*q));
    m_change_jpg_quality->setText(jpeg_quality_caption(*q));
}

void form_nf::paint_back(const QColor &c)
{
    for (QWidget *w : {static_cast<QWidget *>(this), Picture1, Picture2}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, c);
        w->setPalette(p);
    }
}

void form_nf::change_back_color()
{
    const auto c = prompt().color(picture_back_color(), QStringLiteral("Change background color"));
    if (!c)
        return;
    paint_back(*c);
    save_picture_back_color(*c);
}

void form_nf::save_jpeg(bool resized)
{
    JpegSaveRequest r;
    r.picture_path = st_.picture_path;
    r.view = crop_->view();
    r.frame_width = app().frame_width;
    r.frame_height = app().frame_height;
    r.resized = resized;
    r.pixel_ratio = screen_pixel_ratio();
    r.quality = current_jpeg_quality();
    r.start_cropping = st_.start_cropping;
    r.background = picture_back_color();
    save_as_jpeg(*save_host_, r);
}

void form_nf::restore()
{
    if (restore_picture(st_.picture_path))
        reload();
}

void form_nf::hold_picture_for_next()
{
    ViewerState &v = viewer();
    const TwipRect g = outer_geometry(this);
    const TwipRect p = picture_geometry();
    // The next window reckons with this picture's own size, whatever other
    // windows left in the module values.
    hold_for_next_window(v, st_.picture_path, Imagex->picture(), g.left + border_offset_left,
                         g.top + border_offset_top, p.width, p.height, st_.original_width,
                         st_.original_height);
    v.aspect_ratio = st_.aspect_ratio;
    motion().drag_origin_x = motion().drag_origin_y = 0;
    v.fresh_open = false;
    app().last_picture_file = st_.picture_path;
}

void form_nf::no_borders()
{
    hold_picture_for_next();
    windows().open_moving_window(st_.picture_path);
    close();
}

void form_nf::motion_on_off()
{
    motion().motion_on = !motion().motion_on;
    no_borders();
}

void form_nf::full_screen()
{
    hold_picture_for_next();
    windows().open_slide_show_window();
    close();
}

void form_nf::fill_screen()
{
    const ScreenTwips s = screen();
    refit_to({0, 0, s.width, s.height}, true);
}

void form_nf::exit_window()
{
    // A loaded panel comes back by the end-of-window rule when this closes.
    // Without one, a running slide show's panel is shown first: closing the
    // last viewing window would otherwise end the program.
    if (slides().slide_show_active && !registry().main_panel_loaded)
        windows().show_main_panel();
    close();
}

void form_nf::agenda() { open_in_explorer(agenda_file()); }

void form_nf::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    if (unloaded_)
        return;
    unloaded_ = true;
    if (!remove_tag(registry().open_picture_windows, st_.tag)) {
        stop_on_missing_tag();
        return;
    }
    after_viewing_window_closed();
    if (registry().thumbnails_open)
        windows().raise_thumbnail_sheet();
}

void open_picture(QString path, bool keep_crop_request)
{
    strip_quotes(path);
    if (path.isEmpty())
        return;
    // A window with nothing to show would be an empty frame nobody can see.
    if (const QString problem = picture_open_problem(path); !problem.isEmpty()) {
        notify(problem);
        return;
    }
    hourglass(true);
    ViewerState &v = viewer();
    v.picture_to_open = path;
    v.fresh_open = true;
    if (!keep_crop_request)
        v.crop_request = false;
    new_picture_window();
    hourglass(false);
}

void new_picture_window()
{
    ++viewer().window_counter;
    new form_nf;
}

} // namespace lf
