// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTimer;

namespace lf {

// Never shown: once a second it ends the process when no window is left.
class f_ghost : public QWidget {
    Q_OBJECT
public:
    explicit f_ghost(QWidget *parent = nullptr);
    QTimer *Timer1;
    void tick();
};

} // namespace lf
