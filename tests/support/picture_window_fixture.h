// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_state.h"
#include "app/screen.h"
#include "test_env.h"
#include "viewer/windows/form_nf.h"

#include <QApplication>
#include <QImage>
#include <QImageWriter>

// For the suites that drive picture windows (header only: the support
// library itself has no windows).
namespace lf::test {

// A 1280 x 960 pixel screen with a 40-pixel taskbar and the nominal frame,
// a fresh tmp_pic folder; returns a fresh folder for the pictures.
inline QString picture_window_setup()
{
    reset_everything();
    set_screen_twips(ScreenTwips{19200, 14400, 600});
    app().taskbar_height = 600;
    app().frame_width = 120;
    app().frame_height = 405;
    app().tmp_pic_dir = fresh_folder(QStringLiteral("tmp_pic"));
    return fresh_folder(QStringLiteral("pics"));
}

// A plain picture file of that size.
inline QString write_picture(const QString &path, int w, int h, const char *format = "jpeg")
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 60, 30));
    QImageWriter(path, format).write(img);
    return path;
}

// The visible picture window with the highest tag.
inline form_nf *newest_picture_window()
{
    form_nf *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<form_nf *>(w); f && f->isVisible() && (!found || f->tag() > found->tag()))
            found = f;
    return found;
}

// Opens path in a new picture window and lets the event loop turn once, as
// it does before a user can do anything: the picture is then on screen.
inline form_nf *open_picture_window(const QString &path)
{
    open_picture(path, false);
    QCoreApplication::processEvents();
    return newest_picture_window();
}

} // namespace lf::test
