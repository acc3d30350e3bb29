// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/folder_stepper.h"

#include "app/paths.h"
#include "app/prompt.h"
#include "panel/panel_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "viewer/picture_loader.h"

#include <QTimer>

#include <utility>

namespace lf {

FolderStepper::FolderStepper(DecodeSize size_for, Show show, QObject *parent)
    : QObject(parent), size_for_(std::move(size_for)), show_(std::move(show)), pictures_(2, this)
{
}

bool FolderStepper::take_list(const QString &current)
{
    taking_list_ = true;
    build_slide_show(folder_of(current), true);
    taking_list_ = false;
    if (take_folder_list(list_, slides(), current))
        return true;
    notify(QStringLiteral("File not found"));
    return false;
}

void FolderStepper::step(const QString &current, bool next)
{
    if (taking_list_)
        return;
    finish_first_step();
    if (!list_.ready) {
        const QStringList to = file_exists(current) ? step_targets(predicted_, current) : QStringList();
        if (!to.isEmpty()) {
            first_step_ = {current, next || to.size() == 1 ? to.first() : to.last(), next};
            show_(first_step_.to);
            QTimer::singleShot(0, this, [this] { finish_first_step(); });
            return;
        }
        if (!take_list(current))
            return;
    }
    list_.index = stepped_index(list_.index, int(list_.paths.size()), next);
    show_(list_.paths.at(list_.index - 1));
}

void FolderStepper::finish_first_step()
{
    const FirstStep f = std::exchange(first_step_, {});
    if (f.from.isEmpty() || list_.ready || !take_list(f.from))
        return;
    list_.index = stepped_index(list_.index, int(list_.paths.size()), f.next);
    const QString &listed = list_.paths.at(list_.index - 1);
    if (listed != f.to)
        show_(listed);
}

void FolderStepper::shown(const QString &path)
{
    if (path.isEmpty())
        return;
    if (!list_.ready) {
        const PanelState &p = panel_state();
        predicted_ = folder_in_show_order(folder_of(path), p.sort_by_datetime, p.sort_descending);
    }
    const QStringList targets =
        list_.ready ? step_targets(list_.paths, path, list_.index) : step_targets(predicted_, path);
    pictures_.keep_only(targets);
    for (const QString &t : targets) {
        const QSize natural = picture_size(t);
        if (natural.isValid())
            pictures_.request(t, size_for_(natural));
    }
}

DecodedPicture FolderStepper::obtain(const QString &path)
{
    const QSize natural = picture_size(path);
    const QSize fit = natural.isValid() ? size_for_(natural) : QSize();
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
