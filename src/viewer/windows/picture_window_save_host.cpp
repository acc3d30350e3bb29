// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/windows/picture_window_save_host.h"

#include "app/window_layer.h"
#include "app/windows/widget_geometry.h"

#include <QApplication>
#include <QSet>

namespace lf {
namespace {

QSet<QWidget *> picture_windows()
{
    QSet<QWidget *> out;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("form_nf"))
            out.insert(w);
    }
    return out;
}

} // namespace

PictureWindowSaveHost::PictureWindowSaveHost(QWidget *owner, Hooks hooks)
    : owner_(owner), hooks_(std::move(hooks))
{
}

void PictureWindowSaveHost::open_preview(const QString &work_file)
{
    // The preview is whichever picture window the opening adds.
    const QSet<QWidget *> before = picture_windows();
    windows().open_picture(work_file, true);
    for (QWidget *w : picture_windows()) {
        if (!before.contains(w) && w != owner_) {
            preview_ = w;
            break;
        }
    }
    if (preview_)
        move_outer(preview_, 0, 0);
}

void PictureWindowSaveHost::set_preview_caption(const QString &caption)
{
    if (preview_)
        preview_->setWindowTitle(caption);
}

void PictureWindowSaveHost::close_preview()
{
    if (preview_)
        preview_->close();
    preview_ = nullptr;
}

void PictureWindowSaveHost::close_window()
{
    if (owner_)
        owner_->close();
}

void PictureWindowSaveHost::activate()
{
    if (hooks_.activate)
        hooks_.activate();
}

void PictureWindowSaveHost::reload_after_replace()
{
    if (owner_) {
        owner_->activateWindow();
        owner_->setFocus();
    }
    if (hooks_.reload_after_replace)
        hooks_.reload_after_replace();
}

void PictureWindowSaveHost::clear_start_cropping()
{
    if (hooks_.clear_start_cropping)
        hooks_.clear_start_cropping();
}

} // namespace lf
