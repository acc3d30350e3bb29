// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/windows/f_please_wait.h"

#include "app/app_state.h"
#include "app/shell.h"
#include "app/windows/widget_geometry.h"
#include "dialogs/please_wait_layout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace lf {
namespace {
QPointer<f_please_wait> the_window;
}

f_please_wait::f_please_wait() : QWidget(nullptr, Qt::Dialog)
{
    setObjectName(QStringLiteral("f_please_wait"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumenfolio"));
    Label1 = new QLabel(QStringLiteral("Please wait..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    b_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    b_cancel->setObjectName(QStringLiteral("b_cancel"));
    b_cancel->setVisible(false);
    b_cancel->resize(81, 25);
    connect(b_cancel, &QPushButton::clicked, this, [this] {
        app().wait_signal = cancel_pressed;
        close();
    });
}

f_please_wait *f_please_wait::get()
{
    if (!the_window)
        the_window = new f_please_wait;
    return the_window;
}

bool f_please_wait::loaded() { return !the_window.isNull(); }

void f_please_wait::unload()
{
    if (the_window) {
        the_window->hide();
        delete the_window.data();
    }
}

void f_please_wait::show_text(const QString &text)
{
    f_please_wait *w = get();
    w->Label1->setText(text);
    w->show();
    w->set_layout();
    do_events();
    if (the_window) {
        the_window->activateWindow();
        the_window->raise();
    }
    do_events();
}

void f_please_wait::set_layout()
{
    Label1->adjustSize();
    const TwipRect label = control_geometry(Label1);
    const TwipRect button = control_geometry(b_cancel);
    const PleaseWaitLayout l = please_wait_layout(label.width, label.height, button.width,
                                                  button.height,
                                                  app().wait_signal == show_cancel);
    // The layout is the window's inside: a title bar taller than the one it
    // was made for would otherwise cut off the Cancel button.
    resize(twips_to_px(l.window_width), twips_to_px(l.window_height));
    place_control(Label1, l.label);
    b_cancel->setVisible(l.button_visible);
    if (l.button_visible)
        place_control(b_cancel, l.button);
    center_on_work_area(this);
}

void f_please_wait::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    set_layout();
}

void f_please_wait::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        set_layout();
}

void f_please_wait::keyPressEvent(QKeyEvent *e) { e->accept(); }

void f_please_wait::closeEvent(QCloseEvent *e)
{
    // Only Cancel closes it early; the caller unloads it otherwise.
    if (app().wait_signal != cancel_pressed && !QCoreApplication::closingDown()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace lf
