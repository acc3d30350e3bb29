// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_decoder.h"

#include "viewer/picture_loader.h"

#include <QFutureWatcher>
#include <QtConcurrent>

namespace lf {

PictureDecoder::PictureDecoder(QObject *parent) : QObject(parent) {}

// Workers hold only their own values, so a decode still running when the
// decoder goes away finishes harmlessly and its result is freed.
PictureDecoder::~PictureDecoder() = default;

quint64 PictureDecoder::request(const QString &path, QSize fit)
{
    const quint64 id = ++id_;
    running_ = id;
    auto *w = new QFutureWatcher<QImage>(this);
    connect(w, &QFutureWatcher<QImage>::finished, this, [this, w, id, path] {
        const QImage image = w->result();
        w->deleteLater();
        if (id != id_)
            return; // superseded or cancelled
        running_ = 0;
        Q_EMIT decoded(id, path, image);
    });
    w->setFuture(QtConcurrent::run([path, fit, buffer = std::move(spare_)]() mutable {
        if (!load_picture_into(path, buffer, fit))
            return QImage();
        return buffer;
    }));
    spare_ = QImage();
    return id;
}

void PictureDecoder::cancel()
{
    ++id_;
    running_ = 0;
}

void PictureDecoder::recycle(QImage &&old)
{
    spare_ = std::move(old);
}

} // namespace lf
