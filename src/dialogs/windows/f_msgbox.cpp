// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/windows/f_msgbox.h"

#include "app/prompt.h"
#include "app/windows/widget_geometry.h"
#include "dialogs/message_window_layout.h"
#include "panel/windows/f_start.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace lf {
namespace {
QPointer<f_msgbox> the_window;
QString message_text;
} // namespace

f_msgbox::f_msgbox()
{
    setObjectName(QStringLiteral("f_msgbox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(app_title);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setPlainText(message_text);
    // Read-only, yet with a caret the keys move and text that can be selected.
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Text1->setFont(mono);
    connect(Text1, &QPlainTextEdit::textChanged, this, &f_msgbox::keep_text);

    b_ok = new QPushButton(QStringLiteral("OK"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    connect(b_ok, &QPushButton::clicked, this, &QWidget::close);

    pic_adjust = new QLabel(this);
    pic_adjust->setObjectName(QStringLiteral("pic_adjust"));
    pic_adjust->hide();

    setFocusProxy(Text1);
}

f_msgbox *f_msgbox::loaded() { return the_window; }

void f_msgbox::keep_text()
{
    if (Text1->toPlainText() == message_text)
        return;
    const QSignalBlocker block(Text1);
    Text1->setPlainText(message_text);
}

void f_msgbox::set_layout()
{
    if (laying_out_ || (windowState() & Qt::WindowMinimized))
        return;
    laying_out_ = true;
    const TwipRect g = outer_geometry(this);
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const MessageWindowLayout l = message_window_layout(g.width, g.height, normal);
    if (l.height != g.height)
        set_outer_size(this, g.width, l.height);
    place_control(Text1, l.text);
    place_control(b_ok, l.button);
    pic_adjust->hide();
    laying_out_ = false;
}

void f_msgbox::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    set_layout();
}

void f_msgbox::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Text1->setFocus();
}

void f_msgbox::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void show_message_window(const QString &text, const QString &title)
{
    message_text = text;
    if (!the_window)
        the_window = new f_msgbox;
    f_msgbox *w = the_window;
    w->keep_text();
    w->setWindowTitle(title);
    if (f_start *panel = f_start::loaded()) {
        w->setWindowIcon(panel->windowIcon());
        set_outer_geometry(w, outer_geometry(panel));
    }
    w->set_layout();
    w->show();
    w->raise();
    w->activateWindow();
    w->Text1->setFocus();
}

} // namespace lf
