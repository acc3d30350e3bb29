// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace lf {

// Hand-over values between the viewing windows: the opener sets them just
// before creating the next window, whose load step consumes them.
struct ViewerState {
    QString picture_to_open;
    bool fresh_open = false;
    bool crop_request = false;
    bool picture_from_holder = false;
    bool resize_suspended = false;
    int original_width = 0;  // twips
    int original_height = 0; // twips
    double aspect_ratio = 0;
    int handover_width = 0;
    int handover_height = 0;
    int anchor_left = 0;
    int anchor_top = 0;
    int jpeg_quality = 0; // 0 = not read yet
    bool fit_mode = false;
    QString last_viewer;
    // Number of the most recently created picture window (tags are this
    // number as four digits); a reload sets it back to its own number.
    int window_counter = 0;
    // The picture held for the next window, handed over without decoding
    // again (implicitly shared).
    QImage holder;
};

ViewerState &viewer();
void reset_viewer();

// Leaves the shown picture to the window that opens next: where it was,
// the size it was shown at (twips), and the decoded picture itself, so that
// the next window shows it without decoding the file again.
void hold_for_next_window(ViewerState &v, const QString &path, const QImage &picture, int left,
                          int top, int width, int height);
// The same, with the picture's own size, whatever other windows left here.
void hold_for_next_window(ViewerState &v, const QString &path, const QImage &picture, int left,
                          int top, int width, int height, int original_width,
                          int original_height);

} // namespace lf
