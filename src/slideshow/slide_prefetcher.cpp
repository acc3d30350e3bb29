#include "slideshow/slide_prefetcher.h"

#include "viewer/picture_loader.h"

#include <QFileInfo>
#include <QtConcurrent>

namespace lf {

DecodedSlide decode_slide(const QString &path, QSize fit)
{
    DecodedSlide d;
    d.path = path;
    d.file_time = QFileInfo(path).lastModified();
    d.natural = picture_size(path);
    d.image = load_picture(path, fit);
    if (!d.natural.isValid() && !d.image.isNull())
        d.natural = d.image.size();
    return d;
}

SlidePrefetcher::SlidePrefetcher(QObject *parent) : QObject(parent) {}

SlidePrefetcher::~SlidePrefetcher()
{
    if (watcher_)
        watcher_->waitForFinished();
}

void SlidePrefetcher::request(const QString &path, QSize fit)
{
    if (path.isEmpty())
        return;
    if ((ready_.path == path || pending_path_ == path) && pending_fit_ == fit)
        return;
    ready_ = {};
    const quint64 id = ++id_;
    pending_path_ = path;
    pending_fit_ = fit;
    if (watcher_) {
        // The old decode finishes on its own; its result is dropped.
        watcher_->disconnect(this);
        auto *old = watcher_;
        connect(old, &QFutureWatcherBase::finished, old, &QObject::deleteLater);
        if (old->isFinished())
            old->deleteLater();
    }
    watcher_ = new QFutureWatcher<DecodedSlide>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this, id] { finished(id); });
    watcher_->setFuture(QtConcurrent::run(decode_slide, path, fit));
}

void SlidePrefetcher::finished(quint64 id)
{
    if (id != id_ || !watcher_ || pending_path_.isEmpty())
        return;
    ready_ = watcher_->result();
    pending_path_.clear();
}

bool SlidePrefetcher::ready_for(const QString &path) const
{
    return !path.isEmpty() && ready_.path == path && ready_.valid();
}

DecodedSlide SlidePrefetcher::take(const QString &path, QSize fit)
{
    if (path.isEmpty() || fit != pending_fit_)
        return {};
    if (pending_path_ == path && watcher_) {
        watcher_->waitForFinished();
        finished(id_);
    }
    if (ready_.path != path || !ready_.valid())
        return {};
    DecodedSlide d = ready_;
    ready_ = {};
    if (QFileInfo(path).lastModified() != d.file_time)
        return {};
    return d;
}

void SlidePrefetcher::forget()
{
    ++id_;
    pending_path_.clear();
    ready_ = {};
}

} // namespace lf
