#pragma once

#include <QDateTime>
#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

namespace lf {

// One decoded slide, with what placement needs to know about it.
struct DecodedSlide {
    QString path;
    QImage image;       // at most the requested fit size
    QSize natural;      // upright size in the file, pixels
    QDateTime file_time;
    bool valid() const { return !image.isNull(); }
};

DecodedSlide decode_slide(const QString &path, QSize fit);

// Decodes the picture likely to come next while the current one is on
// screen. One request at a time; each carries an id and a result that
// arrives for an older request is dropped.
class SlidePrefetcher : public QObject {
    Q_OBJECT
public:
    explicit SlidePrefetcher(QObject *parent = nullptr);
    ~SlidePrefetcher() override;

    void request(const QString &path, QSize fit);
    // The decoded picture when path was requested and is unchanged on disk;
    // waits for a decode still running for it. Invalid otherwise.
    DecodedSlide take(const QString &path, QSize fit);
    void forget();
    quint64 current_id() const { return id_; }
    bool ready_for(const QString &path) const;
    bool idle() const { return pending_path_.isEmpty(); }

private:
    void finished(quint64 id);

    quint64 id_ = 0;
    QString pending_path_;
    QSize pending_fit_;
    QFutureWatcher<DecodedSlide> *watcher_ = nullptr;
    DecodedSlide ready_;
};

} // namespace lf
