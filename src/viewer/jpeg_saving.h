// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/crop_mode.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace lf {

class cDIBSection;

// What the picture window does for the save sequence; the window implements
// it, tests record it.
class JpegSaveHost {
public:
    virtual ~JpegSaveHost() = default;
    // Opens the work file in a new picture window (open_picture keeping the
    // crop request) and moves that window to the screen's top-left corner.
    virtual void open_preview(const QString &work_file) = 0;
    virtual void set_preview_caption(const QString &caption) = 0;
    virtual void close_preview() = 0;
    // Closes the window that asked for the save.
    virtual void close_window() = 0;
    // The window's Activate handling.
    virtual void activate() = 0;
    // Focus, Activate handling, Reload, and m_restore_uncropped_image shown.
    virtual void reload_after_replace() = 0;
    virtual void clear_start_cropping() = 0;
};

// The save dialog's proposal: the picture's file name, ending in ".jpg".
QString proposed_jpeg_name(const QString &picture_path);
bool has_jpeg_extension(const QString &path);
// True when both paths name the same file (or, missing, spell the same path).
bool same_file(const QString &a, const QString &b);

// The bitmap to save, drawn from the picture re-read at full resolution:
// the visible part in whole pixels (resized false), or that part scaled to
// the window's inner size (resized true). Where the visible part reaches
// beyond the picture, `background` fills the rest. The bitmap keeps the
// picture's colour profile.
bool compose_for_saving(const QImage &picture, const VisibleFractions &f, bool resized,
                        QSize inner, const QColor &background, cDIBSection &out);

// Encodes into the work file, shows it, asks, and keeps or refuses it.
// Returns true when the target now holds the new picture.
bool save_and_decide(JpegSaveHost &host, const QString &picture_path, const QString &target,
                     int quality, const cDIBSection &dib, bool start_cropping);

struct JpegSaveRequest {
    QString picture_path;
    CropView view;
    int frame_width = 0;
    int frame_height = 0;
    bool resized = false;
    // Device pixels per logical pixel: a resized save has the window's inner
    // size in the screen's own pixels, as the picture is shown.
    double pixel_ratio = 1;
    int quality = 80;
    bool start_cropping = false;
    QColor background = Qt::black;
};

// The whole command: dialog, compose, save and decide, the .gif/.bmp
// delete offers, and closing a crop window opened from a slide show.
void save_as_jpeg(JpegSaveHost &host, const JpegSaveRequest &r);

// Swaps the picture with its own newest backup (app/picture_versions);
// false (with the message) when it has none or a copy failed. A failure at
// any step leaves both versions on disk.
bool restore_picture(const QString &path);

// The quality to use: the module value, else the setting, else 80 (written
// back the first time).
int current_jpeg_quality();

} // namespace lf
