// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/qt_window_layer.h"

#include "app/windows/widget_geometry.h"
#include "dialogs/windows/f_please_wait.h"
#include "motion/windows/form_nf2.h"
#include "panel/windows/f_start.h"
#include "slideshow/windows/form_fs.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/windows/form_nf.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace lf {

void QtWindowLayer::show_main_panel() { f_start::show_main_panel(); }

void QtWindowLayer::place_main_panel_at_start()
{
    if (f_start *p = f_start::loaded()) {
        center_on_work_area(p);
        const TwipRect g = outer_geometry(p);
        move_outer(p, g.left, g.top - 200);
    }
}

void QtWindowLayer::associate_menu_enabled(bool enabled)
{
    if (f_start *p = f_start::loaded())
        p->associate_menu_enabled(enabled);
}

void QtWindowLayer::open_picture(const QString &path, bool keep_crop_request)
{
    lf::open_picture(path, keep_crop_request);
}

void QtWindowLayer::new_picture_window() { lf::new_picture_window(); }

void QtWindowLayer::open_moving_window(const QString &path)
{
    form_nf2::open_moving_window(path);
}

void QtWindowLayer::open_slide_show_window() { form_fs::open_slide_show_window(); }

void QtWindowLayer::load_thumbnail_sheet() { f_provini::load_sheet(); }

void QtWindowLayer::raise_thumbnail_sheet()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("f_provini") && w->isVisible()) {
            w->raise();
            w->activateWindow();
        }
    }
}

void QtWindowLayer::show_please_wait(const QString &text) { f_please_wait::show_text(text); }

void QtWindowLayer::unload_please_wait() { f_please_wait::unload(); }

void QtWindowLayer::beep() { QApplication::beep(); }

void QtWindowLayer::close_all_windows() { QApplication::closeAllWindows(); }

void QtWindowLayer::end_process()
{
    // At once: no window's events run after this. Settings are written as
    // they change, so nothing is lost.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace lf
