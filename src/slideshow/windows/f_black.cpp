// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/windows/f_black.h"

#include "app/windows/x11_desktop.h"
#include "panel/panel_state.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

namespace lf {
namespace {
QPointer<f_black> the_window;
}

// Never focused: a window manager raises a focused borderless window that
// covers the screen above everything else, as it would a full-screen one.
f_black::f_black()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint
                           | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("f_black"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumenfolio"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    if (QScreen *s = QGuiApplication::primaryScreen())
        setGeometry(s->geometry());
    panel_state().black_screen_loaded = true;
}

f_black *f_black::loaded() { return the_window; }

void f_black::show_black_screen()
{
    if (the_window)
        return;
    the_window = new f_black;
    x11::skip_window_lists(the_window);
    the_window->show();
    the_window->lower();
}

void f_black::unload()
{
    if (the_window)
        the_window->close();
}

void f_black::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow())
        lower();
}

void f_black::mousePressEvent(QMouseEvent *e)
{
    // A click must not bring it in front of the pictures.
    QWidget::mousePressEvent(e);
    lower();
}

void f_black::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void f_black::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    panel_state().black_screen_loaded = false;
}

} // namespace lf
