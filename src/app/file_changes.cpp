// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_changes.h"

#include "thumbs/thumbnail_cache.h"

#include <map>

namespace lf {
namespace {

std::map<int, FileChangeHandler> &handlers()
{
    static std::map<int, FileChangeHandler> h;
    return h;
}

} // namespace

void file_changed(const QString &path)
{
    // The shared thumbnail cache outlives every window: its entries go here.
    forget_cached_thumbnails(path);
    // A handler may add or remove handlers: call a copy.
    const auto now = handlers();
    for (const auto &[id, h] : now)
        h(path);
}

int on_file_changed(FileChangeHandler handler)
{
    static int next = 0;
    handlers()[++next] = std::move(handler);
    return next;
}

void forget_file_change_handler(int id) { handlers().erase(id); }

} // namespace lf
