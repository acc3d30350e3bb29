// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace lf {

// "Please wait..." while long work runs on this thread; with Cancel when the
// caller set wait_signal to "Show cancel" first.
class f_please_wait : public QWidget {
    Q_OBJECT
public:
    // Loads the window on first access.
    static f_please_wait *get();
    static bool loaded();
    static void unload();
    // Shows text by the caller protocol: shown, events, focus, events.
    static void show_text(const QString &text);

    void set_layout();

    QLabel *Label1;
    QPushButton *b_cancel;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    f_please_wait();
};

} // namespace lf
