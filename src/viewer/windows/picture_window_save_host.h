// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/jpeg_saving.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace lf {

// The save sequence's window side for a picture window: the preview is the
// picture window that opening the work file creates. The owner supplies its
// own Activate, Reload and start_cropping handling.
class PictureWindowSaveHost : public JpegSaveHost {
public:
    struct Hooks {
        std::function<void()> activate;
        std::function<void()> reload_after_replace;
        std::function<void()> clear_start_cropping;
    };
    PictureWindowSaveHost(QWidget *owner, Hooks hooks);

    void open_preview(const QString &work_file) override;
    void set_preview_caption(const QString &caption) override;
    void close_preview() override;
    void close_window() override;
    void activate() override;
    void reload_after_replace() override;
    void clear_start_cropping() override;

    QWidget *preview() const { return preview_; }

private:
    QPointer<QWidget> owner_;
    QPointer<QWidget> preview_;
    Hooks hooks_;
};

} // namespace lf
