// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/twips.h"
#include "thumbs/thumbnail_cache.h"
#include "thumbs/thumbnail_sheet.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <map>

template <typename T> class QFutureWatcher;

namespace lf {

struct DrawnThumbnail {
    int index = 0; // list position, from 1
    QString path;
    QImage image;  // already at the fitted device pixel size; null when undecodable
    TwipRect picture;
    TwipRect label;
};

// One picture at its fitted cell size, in device pixels at `ratio` of them
// per logical pixel (the image carries that ratio), from the shared
// thumbnail cache or decoded straight to about that size (and then cached).
DrawnThumbnail decode_thumbnail(const SheetLayout &layout, int index, const QString &path,
                                const ThumbnailCache &cache, double ratio,
                                bool use_cached = true);

// Draws the entries of one sheet in list order, one by one, while the next
// ones are decoded on worker threads. An interruption stops the run before
// the position being worked on, which a later run draws from the start.
class ThumbnailDrawer : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailDrawer(QObject *parent = nullptr);
    ~ThumbnailDrawer() override;

    void set_sheet(const QStringList &entries, const SheetLayout &layout, double pixel_ratio);
    const SheetLayout &layout() const { return layout_; }
    const ThumbnailCache &cache() const { return cache_; }
    double pixel_ratio() const { return pixel_ratio_; }
    int drawn_count() const { return drawn_; }
    bool drawing() const { return drawing_; }
    bool interrupt_requested() const { return interrupt_; }

    // Draws from drawn_count + 1 on; does nothing while a run is going on.
    void display();
    // Asks the run to stop; it stops before the next thumbnail appears.
    void request_interrupt();

Q_SIGNALS:
    // The window height the row of the position being drawn needs.
    void height_needed(int sheet_height);
    void thumbnail_drawn(const DrawnThumbnail &t);
    void completed();
    void interrupted();
    // Cancel on a missing file: the window closes.
    void abort_requested();

private:
    void step();
    void prefetch(int from);
    void finish_interrupted();
    void end_run();
    void result_ready(quint64 generation, int index, QFutureWatcher<DrawnThumbnail> *w);

    QStringList entries_;
    SheetLayout layout_;
    ThumbnailCache cache_;
    double pixel_ratio_ = 1;
    int drawn_ = 0;
    bool drawing_ = false;
    bool interrupt_ = false;
    bool step_queued_ = false;
    int waiting_for_ = 0;
    quint64 generation_ = 0;
    std::map<int, DrawnThumbnail> ready_;
    std::map<int, bool> requested_;
    int in_flight_ = 0;
};

} // namespace lf
