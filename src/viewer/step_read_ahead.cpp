// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/step_read_ahead.h"

#include "app/paths.h"
#include "panel/panel_state.h"
#include "slideshow/slide_show_builder.h"
#include "viewer/picture_loader.h"

namespace lf {

void StepReadAhead::shown(const QString &path, const FolderList &list, const DecodeSize &size_for)
{
    if (path.isEmpty())
        return;
    const PanelState &p = panel_state();
    const QStringList targets =
        list.ready ? step_targets(list.paths, path, list.index)
                   : step_targets(folder_in_show_order(folder_of(path), p.sort_by_datetime, p.sort_descending),
                                  path);
    pictures_.keep_only(targets);
    for (const QString &t : targets) {
        const QSize natural = picture_size(t);
        if (natural.isValid())
            pictures_.request(t, size_for(natural));
    }
}

DecodedPicture StepReadAhead::obtain(const QString &path, const DecodeSize &size_for)
{
    const QSize natural = picture_size(path);
    const QSize fit = natural.isValid() ? size_for(natural) : QSize();
    DecodedPicture d = take_first_decode(path, fit);
    if (!d.valid())
        d = pictures_.take(path, fit);
    if (d.valid()) {
        ++hits_;
        return d;
    }
    return decode_picture(path, fit);
}

} // namespace lf
