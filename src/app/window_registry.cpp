// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_registry.h"

namespace lf {

WindowRegistry &registry()
{
    static WindowRegistry r;
    return r;
}

void reset_registry() { registry() = WindowRegistry{}; }

QString format_tag(int number)
{
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

namespace {
// Position of "|" + tag as a whole entry (so "|0001" never matches "|00012").
qsizetype find_entry(const QString &list, const QString &tag)
{
    const QString entry = QLatin1Char('|') + tag;
    qsizetype from = 0;
    while (true) {
        const qsizetype i = list.indexOf(entry, from);
        if (i < 0)
            return -1;
        const qsizetype end = i + entry.size();
        if (end == list.size() || list[end] == QLatin1Char('|'))
            return i;
        from = i + 1;
    }
}
} // namespace

void add_tag(QString &list, const QString &tag)
{
    if (find_entry(list, tag) < 0)
        list += QLatin1Char('|') + tag;
}

bool remove_tag(QString &list, const QString &tag)
{
    const qsizetype i = find_entry(list, tag);
    if (i < 0)
        return false;
    list.remove(i, tag.size() + 1);
    return true;
}

AfterClose after_viewing_window_closed(const WindowRegistry &r)
{
    if (!r.any_viewing_window() && !r.main_panel_loaded)
        return AfterClose::EndProcess;
    return r.main_panel_loaded ? AfterClose::ShowMainPanel : AfterClose::Nothing;
}

AfterClose after_main_panel_closed(const WindowRegistry &r)
{
    return r.any_viewing_window() ? AfterClose::Nothing : AfterClose::EndProcess;
}

bool nothing_left_open(const WindowRegistry &r)
{
    return !r.any_viewing_window() && !r.main_panel_loaded && !r.busy_opening;
}

} // namespace lf
