// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

namespace lf {

// Decodes one picture at a time on a worker thread: the full resolution a
// command needs, or a larger fitted size after the window grew, while the
// picture already decoded stays on screen. Each request carries an id; a
// newer request or cancel() makes the result of an older one be dropped.
class PictureDecoder : public QObject {
    Q_OBJECT
public:
    explicit PictureDecoder(QObject *parent = nullptr);
    ~PictureDecoder() override;

    // Starts decoding path at most `fit` (invalid: full resolution) and
    // returns the request's id.
    quint64 request(const QString &path, QSize fit = QSize());
    void cancel();
    bool busy() const { return running_ != 0; }
    quint64 current_id() const { return id_; }
    // Hands back a picture nobody shows any more: the next decode of the
    // same size writes into its memory.
    void recycle(QImage &&old);

Q_SIGNALS:
    // The latest request's result; null when the file is unreadable.
    void decoded(quint64 id, const QString &path, const QImage &image);

private:
    quint64 id_ = 0;
    quint64 running_ = 0;
    QImage spare_;
};

} // namespace lf
