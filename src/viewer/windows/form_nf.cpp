#include "viewer/windows/form_nf.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "app/windows/widget_geometry.h"
#include "viewer/picture_commands.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/image_control.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace lf {
namespace {

FrameTwips frame()
{
    const AppState &a = app();
    return {a.frame_width, a.frame_height, a.frame_extra_width, a.frame_extra_height};
}

// Stored colours are 0x00BBGGRR.
QColor stored_color(int c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
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

    build_popup();
    load_step();
}

form_nf::~form_nf()
{
    if (m_popup)
        m_popup->deleteLater();
}

void form_nf::build_popup()
{
    m_popup = new QMenu;
    m_popup->setObjectName(QStringLiteral("m_popup"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *a = m_popup->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    m_change_jpg_quality = item("m_change_jpg_quality", jpeg_quality_caption(80));
    m_save_jpeg_resized = item(
        "m_save_jpeg_resized",
        QStringLiteral("Save altered image (with resized resolution) in JPEG format as... (R)"));
    m_restore_uncropped_image = item("m_restore_uncropped_image",
                                     QStringLiteral("Restore image as it was before altering (CTL-Z)"));
    m_zoom_in = item("m_zoom_in", QStringLiteral("Zoom in (+)"));
    m_zoom_out = item("m_zoom_out", QStringLiteral("Zoom out (-)"));
    m_original_resolution = item("m_original_resolution", QStringLiteral("Original resolution (/)"));
    m_web_resolution = item("m_web_resolution",
                            QStringLiteral("Web publishing resolution -- max 792 x 544 (W)"));
    connect(m_zoom_in, &QAction::triggered, this, [this] { zoom(true); });
    connect(m_zoom_out, &QAction::triggered, this, [this] { zoom(false); });
    connect(m_original_resolution, &QAction::triggered, this, [this] { normal_size(); });
    connect(m_web_resolution, &QAction::triggered, this, [this] { Web_size(); });
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
        Imagex->set_picture(load_picture(st_.picture_path));
    }
}

void form_nf::load_step()
{
    ViewerState &v = viewer();
    hourglass(true);
    st_.loading = true;
    do_events();
    st_.picture_path = v.picture_to_open;

    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(st_.picture_path);
    st_.start_cropping = v.crop_request;
    if (m_restore_uncropped_image->isVisible()
        && !any_file_matches(app().tmp_pic_dir, QStringLiteral("ORIGINAL_*")))
        m_restore_uncropped_image->setVisible(false);

    st_.tag = format_tag(v.window_counter);
    add_tag(registry().open_picture_windows, st_.tag);

    if (v.jpeg_quality == 0) {
        v.jpeg_quality = numeric_int(get_setting(key::jpeg_quality));
        if (v.jpeg_quality == 0) {
            v.jpeg_quality = 80;
            save_setting(key::jpeg_quality, QStringLiteral("80"));
        }
    }
    m_change_jpg_quality->setText(jpeg_quality_caption(v.jpeg_quality));

    v.resize_suspended = true;
    load_into_imagex();
    save_setting(key::last_picture_file, st_.picture_path);
    app().last_picture_file = st_.picture_path;
    do_events();

    int width = v.handover_width;
    int height = v.handover_height;
    if (v.fresh_open) {
        v.original_width = width = Imagex->natural_width();
        v.original_height = height = Imagex->natural_height();
        m_original_resolution->setText(original_resolution_caption(width, height));
        v.aspect_ratio = height > 0 ? double(width) / height : 0;
    } else {
        v.aspect_ratio = height > 0 ? double(width) / height : 0;
    }
    st_.original_width = v.original_width;
    st_.original_height = v.original_height;
    st_.aspect_ratio = v.aspect_ratio;

    const PictureLayout l = layout_at_load(screen(), frame(), width, height, st_.aspect_ratio);
    st_.shrunk_at_load = l.shrunk;
    apply(l);
    v.resize_suspended = false;

    v.fresh_open = false;
    st_.crop_mode = false;
    // A fresh picture is unaltered.
    st_.cropped = st_.rescaled = st_.size_changed = false;
    if (st_.start_cropping)
        toggle_crop_mode();
    update_save_resized_item();

    const QColor back = stored_color(numeric_int(get_setting(key::pic_back_color)));
    for (QWidget *w : {static_cast<QWidget *>(this), Picture1, Picture2}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, back);
        w->setPalette(p);
    }

    st_.saved_width = l.window.width;
    st_.saved_height = l.window.height;
    center_form_nf();

    show();
    raise();
    activateWindow();
    setFocus();
    st_.file_time = QFileInfo(st_.picture_path).lastModified();
    st_.loading = false;

    setWindowTitle(caption_after_load(st_.picture_path, l.picture.width, st_.original_width));
    hourglass(false);
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
        st_.cropped = true;
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

    ResizeInput in;
    in.window = outer_geometry(this);
    in.picture = picture_geometry();
    in.original_width = st_.original_width;
    in.original_height = st_.original_height;
    in.aspect_ratio = st_.aspect_ratio;
    in.fit_mode = v.fit_mode;
    in.rel_left = st_.rel_left;
    in.rel_top = st_.rel_top;
    const PictureLayout l = layout_after_resize(screen(), frame(), in);
    apply(l);
    st_.rel_left = l.rel_left;
    st_.rel_top = l.rel_top;

    update_save_resized_item();
    if (l.window.width != st_.saved_width || l.window.height != st_.saved_height)
        st_.size_changed = true;
    v.resize_suspended = false;
    Imagex->show();
    v.handover_width = st_.original_width;
    v.handover_height = st_.original_height;
    setWindowTitle(caption_with_size(st_.picture_path, l.picture.width, l.picture.height));
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
    const PictureLayout l = layout_web_size(outer_geometry(this), st_.original_width,
                                            st_.original_height, st_.aspect_ratio);
    apply(l);
    setWindowTitle(caption_with_size(st_.picture_path, l.picture.width, l.picture.height));
    Imagex->show();
    v.resize_suspended = false;
}

void form_nf::zoom(bool zoom_in)
{
    ViewerState &v = viewer();
    Imagex->hide();
    v.resize_suspended = true;
    place_window(zoomed_window(outer_geometry(this), zoom_in));
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
    // The pointer and the crop caption of crop mode belong to the crop tools.
    st_.crop_mode = !st_.crop_mode;
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
    const QString text = e->text();
    const PictureCommand c =
        text.isEmpty() ? PictureCommand::None : command_for_character(text.at(0), st_.crop_mode);
    switch (c) {
    case PictureCommand::ZoomIn:
        zoom(true);
        break;
    case PictureCommand::ZoomOut:
        zoom(false);
        break;
    case PictureCommand::OriginalResolution:
        normal_size();
        break;
    case PictureCommand::WebResolution:
        Web_size();
        break;
    case PictureCommand::None:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void form_nf::mousePressEvent(QMouseEvent *e)
{
    const TwipRect g = outer_geometry(this);
    viewer().anchor_left = g.left;
    viewer().anchor_top = g.top;
    if (e->button() == Qt::RightButton)
        m_popup->popup(e->globalPosition().toPoint());
}

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
