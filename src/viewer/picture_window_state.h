// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace lf {

// What one picture window knows about itself.
struct PictureWindowState {
    QString picture_path;
    QString tag;
    bool start_cropping = false;
    QDateTime file_time; // null after one automatic reload
    bool loading = false;
    bool crop_mode = false;
    double rel_left = 0;
    double rel_top = 0;
    int saved_width = 0;
    int saved_height = 0;
    bool size_changed = false;
    bool cropped = false;
    bool rescaled = false;
    bool shrunk_at_load = false;
    // The module-wide size values are the hand-over to the next window; each
    // window keeps its own copy so that opening another picture does not
    // change how this one resizes.
    int original_width = 0;
    int original_height = 0;
    double aspect_ratio = 0;
};

} // namespace lf
