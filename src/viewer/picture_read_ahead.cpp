// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_read_ahead.h"

#include "app/file_changes.h"
#include "viewer/picture_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>

#include <sys/stat.h>

#include <utility>

namespace lf {

FileStamp file_stamp(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

DecodedPicture decode_picture(const QString &path, QSize fit)
{
    DecodedPicture d;
    d.path = path;
    // Stamped first: a change while decoding makes the result look stale.
    d.stamp = file_stamp(path);
    d.file_time = QFileInfo(path).lastModified();
    d.natural = picture_size(path);
    d.image = load_picture(path, fit);
    if (!d.natural.isValid() && !d.image.isNull())
        d.natural = d.image.size();
    return d;
}

namespace {

struct FirstDecode {
    QString path;
    QSize fit;
    QFuture<DecodedPicture> future;
};

FirstDecode &first_decode()
{
    static FirstDecode f;
    return f;
}

} // namespace

void start_first_decode(const QString &path, QSize fit)
{
    first_decode() = {path, fit, QtConcurrent::run(decode_picture, path, fit)};
}

DecodedPicture take_first_decode(const QString &path, QSize fit)
{
    FirstDecode f = std::exchange(first_decode(), {});
    if (f.path.isEmpty() || f.path != path)
        return {};
    DecodedPicture d = f.future.result();
    const QSize s = d.image.size();
    if (!d.valid() || !d.stamp.valid() || file_stamp(path) != d.stamp)
        return {};
    if (f.fit == fit)
        return d; // what decoding at fit now would give
    // Asked for at another size since: usable when larger.
    if (s.width() < fit.width() || s.height() < fit.height())
        return {};
    d.image = d.image.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return d;
}

PictureReadAhead::PictureReadAhead(int capacity, QObject *parent)
    : QObject(parent), capacity_(qMax(1, capacity))
{
    change_handler_ = on_file_changed([this](const QString &path) { forget(path); });
}

PictureReadAhead::~PictureReadAhead()
{
    forget_file_change_handler(change_handler_);
    // Workers hold only their own values: a decode still running finishes
    // harmlessly and its result is freed.
    forget();
}

void PictureReadAhead::release(Entry &e)
{
    if (!e.watcher)
        return;
    e.watcher->disconnect(this);
    auto *w = e.watcher;
    e.watcher = nullptr;
    w->setParent(nullptr);
    if (w->isFinished()) {
        w->deleteLater();
    } else {
        // Dropped: the decode finishes on its own and its result goes.
        connect(w, &QFutureWatcherBase::finished, w, &QObject::deleteLater);
    }
}

void PictureReadAhead::request(const QString &path, QSize fit)
{
    if (path.isEmpty())
        return;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->path != path)
            continue;
        if (it->fit == fit)
            return;
        release(*it);
        entries_.erase(it);
        break;
    }
    while (int(entries_.size()) >= capacity_) {
        release(entries_.front());
        entries_.pop_front();
    }
    Entry e;
    e.id = ++next_id_;
    e.path = path;
    e.fit = fit;
    e.watcher = new QFutureWatcher<DecodedPicture>(this);
    const quint64 id = e.id;
    connect(e.watcher, &QFutureWatcherBase::finished, this, [this, id] { finished(id); });
    e.watcher->setFuture(QtConcurrent::run(decode_picture, path, fit));
    entries_.push_back(std::move(e));
}

void PictureReadAhead::finished(quint64 id)
{
    for (Entry &e : entries_) {
        if (e.id != id || !e.watcher)
            continue;
        e.result = e.watcher->result();
        e.watcher->deleteLater();
        e.watcher = nullptr;
        return;
    }
}

void PictureReadAhead::keep_only(const QStringList &paths)
{
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (paths.contains(it->path)) {
            ++it;
            continue;
        }
        release(*it);
        it = entries_.erase(it);
    }
}

DecodedPicture PictureReadAhead::take(const QString &path, QSize fit)
{
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry &e) { return e.path == path; });
    if (path.isEmpty() || it == entries_.end())
        return {};
    if (it->watcher) {
        it->watcher->waitForFinished();
        finished(it->id);
    }
    DecodedPicture d = std::move(it->result);
    const bool same_size = it->fit == fit;
    entries_.erase(it);
    if (!same_size || !d.valid() || !d.stamp.valid() || file_stamp(path) != d.stamp)
        return {};
    return d;
}

bool PictureReadAhead::holds(const QString &path) const
{
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry &e) { return e.path == path; });
}

bool PictureReadAhead::idle() const
{
    return std::none_of(entries_.begin(), entries_.end(), [](const Entry &e) { return e.watcher; });
}

void PictureReadAhead::forget(const QString &path)
{
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->path == path) {
            release(*it);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
}

void PictureReadAhead::forget()
{
    for (Entry &e : entries_)
        release(e);
    entries_.clear();
}

} // namespace lf
