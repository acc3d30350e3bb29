// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace lf {

// Black, borderless, over the whole screen and behind every other window of
// the program, so pictures stand on black instead of the desktop.
class f_black : public QWidget {
    Q_OBJECT
public:
    static f_black *loaded();
    // Loads and shows it unless it is up already.
    static void show_black_screen();
    static void unload();

protected:
    void changeEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    f_black();
};

} // namespace lf
