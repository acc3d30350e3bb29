// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/f_ghost.h"

#include "app/process_end.h"
#include "app/window_registry.h"

#include <QTimer>

namespace lf {

f_ghost::f_ghost(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("f_ghost"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &f_ghost::tick);
    Timer1->start();
}

void f_ghost::tick()
{
    if (nothing_left_open(registry()))
        cleanup_and_end();
}

} // namespace lf
