// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>

namespace lf {

struct SearchFields {
    QString field1, field2, field3;
    bool use_and = true;
};

// The question asked before a search of start_dir.
QString search_question(const SearchFields &f, const QString &start_dir);
// Every active (non-blank) field found as typed anywhere in the path, or any
// of them with OR; no active field matches everything.
bool path_matches(const QString &path, const SearchFields &f);
// "search_and_" or "search_or_" + field 1 + "$" + field 2 + "$" + field 3 +
// "_", with characters no file name can hold made "_".
QString search_thumbnail_prefix(const SearchFields &f);
QString search_counts_text(qint64 folders, qint64 entries, qint64 found);

inline constexpr int search_slice_ms = 50;

// Breadth-first walk from a start folder for pictures whose path matches,
// done in slices so the caller can update its window between them.
// Unreadable folders are skipped; links to folders are not followed.
class PictureSearch {
public:
    PictureSearch(const QString &start_dir, const SearchFields &fields);
    ~PictureSearch();
    PictureSearch(const PictureSearch &) = delete;
    PictureSearch &operator=(const PictureSearch &) = delete;

    // Works for about budget_ms (0: to the end). False once the walk is over.
    bool step(int budget_ms = search_slice_ms);
    bool done() const;

    qint64 folders_searched() const { return folders_; }
    qint64 entries_searched() const { return entries_; }
    // Matches in the order found.
    const QStringList &found() const { return found_; }
    // Matches left out because a list cannot carry their names.
    int skipped() const { return skipped_; }

private:
    bool open_next_folder();
    void close_folder();

    SearchFields fields_;
    std::deque<QByteArray> queue_;
    void *dir_ = nullptr; // DIR*
    QByteArray current_;  // the open folder, without a trailing "/"
    qint64 folders_ = 0;
    qint64 entries_ = 0;
    QStringList found_;
    int skipped_ = 0;
};

} // namespace lf
