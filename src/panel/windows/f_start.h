#pragma once

#include <QWidget>

namespace lf {

// The main panel: the hub every viewing window returns to.
class f_start : public QWidget {
    Q_OBJECT
public:
    // The loaded panel, or nullptr.
    static f_start *loaded();
    // Made visible and focused; loaded and shown first when needed.
    static void show_main_panel();
    void associate_menu_enabled(bool enabled);
    bool associate_menu_is_enabled() const { return associate_enabled_; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    f_start();
    bool associate_enabled_ = false;
};

} // namespace lf
