// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"
#include "viewer/picture_read_ahead.h"
#include "slideshow/slide_sequencer.h"

#include <QDateTime>
#include <QImage>
#include <QPixmap>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace lf {

// The full-screen window: a slide show over the slide list, or a single
// picture handed over from a picture window.
class form_fs : public QWidget {
    Q_OBJECT
public:
    form_fs();
    ~form_fs() override;
    static void open_slide_show_window();

    QString tag() const { return tag_; }
    QString picture_path() const { return picture_path_; }
    const ShowCursor &cursor() const { return cursor_; }
    TwipRect picture_rect() const { return pic_; }
    int status_margin() const { return status_margin_; }
    const QImage &image() const { return image_; }
    // A click beside a single picture is waiting to become a moving window.
    bool moving_window_pending() const;
    // Decodes that came from the read-ahead rather than the decoder.
    int prefetch_hits() const { return prefetch_hits_; }
    bool read_ahead_idle() const { return prefetcher_.idle(); }
    // For measurements: decode every picture when it is needed.
    void set_read_ahead(bool on)
    {
        read_ahead_ = on;
        if (!on)
            prefetcher_.forget();
    }

    // Load procedure: selects (in a slide show) and shows the next picture.
    void show_next();
    void restart_timer();
    void set_comments(bool visible, bool restart);

    // Commands, as the keys, labels and menu run them.
    void forward_step(bool manual);
    void backward_step();
    void refresh();
    void go_to_number();
    void toggle_auto();
    void resume_auto();
    void resume_manual();
    void toggle_random();
    void random_mode();
    void sequential_mode();
    void change_interval();
    void toggle_status_bar();
    void zoom(bool in);
    void natural_size();
    void hand_back(); // the double-click action for a single picture
    void to_moving_window(); // a click beside a single picture
    void open_normal_view_keeping();
    void crop();
    void delete_picture();
    void copy_to_clipboard();
    void edit();
    void save_file_as();      // "Save file as... (A)": a copy of the file
    void restore_unaltered(); // "Restore image as it was before altering (CTL-Z)"
    void show_folder();
    void exit_show();       // "Exit (ESC)"
    void main_panel();      // "Main panel (P)"
    void escape();          // key ESC
    void exit_label();      // l_exit
    void manual_mode();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void build_controls();
    void first_load();
    enum class Pick { Picture, Bad, NothingLeft };
    Pick select_picture();
    void obtain_picture();
    QPixmap device_pixmap(const QImage &image) const;
    void apply_picture_geometry();
    void update_comment();
    void hide_pointer_rule();
    void busy_cursor(bool on);
    void timer_tick();
    void prefetch_next();
    void check_file_changed();
    void update_mode_marks();
    void pan(int dx, int dy);
    void popup();
    void label_clicked(QObject *label);
    void picture_pressed(Qt::MouseButton b, bool on_picture);
    // The shown picture into viewer()'s holder, for a window shown at
    // width x height (twips) with no position of its own.
    void hold_picture_for_next(int width, int height);
    // Saves the progress of a running slide show (or asks where to).
    void end_running_show();
    QSize decode_fit() const;
    int screen_w() const;
    int screen_h() const;

    QString tag_;
    QString picture_path_;
    QImage image_;
    TwipRect pic_;
    int original_width_ = 0;
    int original_height_ = 0;
    int handover_width_ = 0;
    int handover_height_ = 0;
    int status_margin_ = 0;
    QDateTime file_time_;
    ShowCursor cursor_;
    Selection last_selection_;
    bool loaded_ = false;
    bool loading_ = false;
    bool pointer_moved_ = false;
    bool closed_ = false;
    bool file_check_posted_ = false;
    int prefetch_hits_ = 0;
    bool read_ahead_ = true;
    PictureReadAhead prefetcher_{1};

    // A click beside a single picture waits out the double-click time, so
    // that a double click there stays the double-click action.
    QTimer *outside_click_ = nullptr;
    QTimer *Timer1 = nullptr;
    QLabel *picture1 = nullptr;
    class fs_status_bar *status_ = nullptr;
    class fs_popup_menu *m_popup = nullptr;
};

} // namespace lf
