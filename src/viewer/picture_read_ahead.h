// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <deque>

template <typename T> class QFutureWatcher;

namespace lf {

// What tells a file's content apart without reading it: its size and its
// modification time to the nanosecond.
struct FileStamp {
    qint64 size = -1;
    qint64 mtime_ns = 0;
    bool valid() const { return size >= 0; }
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};
// Invalid when the file cannot be stat'ed.
FileStamp file_stamp(const QString &path);

// One picture decoded at a given size, with what showing it needs to know.
struct DecodedPicture {
    QString path;
    QImage image;       // at most the requested fit size
    QSize natural;      // upright size in the file, pixels
    QDateTime file_time;
    FileStamp stamp;    // taken before the decode began
    bool valid() const { return !image.isNull(); }
};

DecodedPicture decode_picture(const QString &path, QSize fit);

// The picture named on the command line, decoded on a worker at the size
// its window will show it while the rest of start-up and the making of the
// window go on. The window takes it when the file is unchanged and it is at
// least the size the window needs (scaled down to exactly that size).
void start_first_decode(const QString &path, QSize fit);
// That picture for path at fit; invalid otherwise. Given up either way.
DecodedPicture take_first_decode(const QString &path, QSize fit);

// Decodes the pictures likely to be shown next while the current one is on
// screen (the slide show's next slide, the picture window's next and
// previous picture). Holds at most `capacity` pictures, decoded or being
// decoded, each keyed by full path and decode size; a new request beyond
// that drops the oldest. Each decode carries an id; a result that arrives
// for a dropped request is thrown away. A picture is handed out only while
// the file's size and modification time are those it was decoded from, and
// file_changed() (app/file_changes) drops it at once.
class PictureReadAhead : public QObject {
    Q_OBJECT
public:
    explicit PictureReadAhead(int capacity, QObject *parent = nullptr);
    ~PictureReadAhead() override;

    void request(const QString &path, QSize fit);
    // Drops every picture whose path is not in `paths`.
    void keep_only(const QStringList &paths);
    // The picture read ahead for path at fit, when it is unchanged on disk;
    // waits for a decode still running for it. Invalid otherwise. The entry
    // is given up either way.
    DecodedPicture take(const QString &path, QSize fit);
    void forget(const QString &path);
    void forget();

    int held() const { return int(entries_.size()); }
    bool holds(const QString &path) const;
    bool idle() const;

private:
    struct Entry {
        quint64 id = 0;
        QString path;
        QSize fit;
        QFutureWatcher<DecodedPicture> *watcher = nullptr; // null once done
        DecodedPicture result;
    };
    void release(Entry &e);
    void finished(quint64 id);

    int capacity_;
    quint64 next_id_ = 0;
    int change_handler_ = 0;
    std::deque<Entry> entries_;
};

} // namespace lf
