// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/thumbnail_drawer.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/shell.h"
#include "viewer/picture_loader.h"

#include <QFutureWatcher>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace lf {

DrawnThumbnail decode_thumbnail(const SheetLayout &layout, int index, const QString &path,
                                const ThumbnailCache &cache, double ratio, bool use_cached)
{
    DrawnThumbnail t;
    t.index = index;
    t.path = path;
    // Never a full-size picture: a cached thumbnail or a decode straight to
    // about the cell.
    const CellPicture c = cell_picture(cache, path, layout.cell_pixels(ratio), use_cached);
    QImage img = c.image;
    t.picture = fit_in_cell(layout, index, img.isNull() || !c.natural.isValid() ? img.size() : c.natural);
    t.label = label_under(layout, index, t.picture);
    if (!img.isNull()) {
        const QSize px(qMax(1, twips_to_picture_px(t.picture.width, ratio)),
                       qMax(1, twips_to_picture_px(t.picture.height, ratio)));
        if (img.size() != px)
            img = img.scaled(px, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        img.setDevicePixelRatio(ratio);
        t.image = img;
    }
    return t;
}

ThumbnailDrawer::ThumbnailDrawer(QObject *parent)
    : QObject(parent), cache_(ThumbnailCache::standard(app().tmp_pic_dir))
{
}

ThumbnailDrawer::~ThumbnailDrawer()
{
    // Late results find no drawer; their watchers go with it.
    ++generation_;
    if (drawing_)
        hourglass(false);
}

void ThumbnailDrawer::set_sheet(const QStringList &entries, const SheetLayout &layout,
                                double pixel_ratio)
{
    entries_ = entries;
    layout_ = layout;
    pixel_ratio_ = pixel_ratio;
    drawn_ = 0;
    ++generation_;
    ready_.clear();
    requested_.clear();
}

void ThumbnailDrawer::display()
{
    if (drawn_ >= int(entries_.size()) || drawing_)
        return;
    drawing_ = true;
    hourglass(true);
    interrupt_ = false;
    ++generation_;
    ready_.clear();
    requested_.clear();
    step();
}

void ThumbnailDrawer::request_interrupt()
{
    interrupt_ = true;
    if (drawing_ && waiting_for_ != 0)
        finish_interrupted();
}

void ThumbnailDrawer::end_run()
{
    drawing_ = false;
    waiting_for_ = 0;
    ++generation_;
    ready_.clear();
    requested_.clear();
    hourglass(false);
}

void ThumbnailDrawer::finish_interrupted()
{
    end_run();
    Q_EMIT interrupted();
}

void ThumbnailDrawer::step()
{
    step_queued_ = false;
    waiting_for_ = 0;
    if (!drawing_)
        return;
    const int count = int(entries_.size());
    for (;;) {
        if (interrupt_) {
            finish_interrupted();
            return;
        }
        const int i = drawn_ + 1;
        if (i > count) {
            end_run();
            Q_EMIT completed();
            return;
        }
        const QString path = entries_[i - 1];
        if (path.trimmed().isEmpty()) {
            drawn_ = i;
            continue;
        }
        if (!file_exists(path)) {
            const Answer a = ask(QStringLiteral("File ") + path
                                     + QStringLiteral(" not found. You may want to rebuild the thumbnail file. "
                                                      "Press OK if you want to proceed with the current file, "
                                                      "Cancel if you want to abort this operation."),
                                 Buttons::OkCancel);
            if (a == Answer::Cancel) {
                end_run();
                Q_EMIT abort_requested();
                return;
            }
            drawn_ = i;
            continue;
        }
        break;
    }
    const int i = drawn_ + 1;
    Q_EMIT height_needed(layout_.sheet_height(i));
    if (!drawing_)
        return;
    prefetch(i);
    auto it = ready_.find(i);
    if (it == ready_.end()) {
        waiting_for_ = i;
        return;
    }
    DrawnThumbnail t = std::move(it->second);
    ready_.erase(it);
    drawn_ = i;
    Q_EMIT thumbnail_drawn(t);
    // The event loop runs once between thumbnails, so clicks and keys get in.
    if (drawing_ && !step_queued_) {
        step_queued_ = true;
        const quint64 gen = generation_;
        QTimer::singleShot(0, this, [this, gen] {
            if (gen == generation_)
                step();
            else
                step_queued_ = false;
        });
    }
}

void ThumbnailDrawer::prefetch(int from)
{
    const int ahead = qMax(2, QThread::idealThreadCount() + 1);
    const int count = int(entries_.size());
    for (int j = from; j <= count && in_flight_ < ahead && j < from + 2 * ahead; ++j) {
        if (requested_.count(j) || entries_[j - 1].trimmed().isEmpty())
            continue;
        requested_[j] = true;
        ++in_flight_;
        auto *w = new QFutureWatcher<DrawnThumbnail>(this);
        const quint64 gen = generation_;
        connect(w, &QFutureWatcherBase::finished, this, [this, gen, j, w] { result_ready(gen, j, w); });
        w->setFuture(QtConcurrent::run(decode_thumbnail, layout_, j, entries_[j - 1], cache_,
                                       pixel_ratio_, true));
    }
}

void ThumbnailDrawer::result_ready(quint64 generation, int index, QFutureWatcher<DrawnThumbnail> *w)
{
    --in_flight_;
    w->deleteLater();
    if (generation != generation_ || !drawing_) {
        // A late answer to a run that is over; its worker is free again.
        if (drawing_ && waiting_for_ != 0)
            prefetch(waiting_for_);
        return;
    }
    ready_[index] = w->result();
    if (waiting_for_ == index)
        step();
    else if (waiting_for_ != 0)
        prefetch(waiting_for_);
}

} // namespace lf
