// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace lf {

struct SortEntry {
    QString path;
    qint64 time_ms = 0; // modification time
};

// Orders entries by path without regard to case, or by modification time,
// ascending or descending; entries with equal keys keep their order (the
// order a repeated exchange of neighbours gives). Merges runs pass by pass
// and asks stop_requested between passes: when it answers true the sort
// ends there, and the entries are still every one of the input, in the
// order reached so far. Returns false when stopped.
bool sort_entries(std::vector<SortEntry> &entries, bool by_datetime, bool descending,
                  const std::function<bool()> &stop_requested = {});

} // namespace lf
