// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windows/qt_window_layer.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace lf::test {

// The program's real windows, except that ending the process is recorded.
struct TestWindows : QtWindowLayer {
    TestWindows() { set_windows(this); }
    ~TestWindows() override { set_windows(nullptr); }
    int ends = 0;
    void end_process() override { ++ends; }
};

// Deletes every window a test left behind (children go with their parents).
inline void delete_all_windows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> tops;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            tops << w;
    for (const QPointer<QWidget> &w : tops)
        delete w.data();
}

} // namespace lf::test
