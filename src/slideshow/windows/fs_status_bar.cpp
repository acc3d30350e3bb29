// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/windows/fs_status_bar.h"

#include "app/windows/widget_geometry.h"

#include <QLabel>

namespace lf {
namespace {
const char *label_style = "QLabel { background: rgb(24,24,24); color: rgb(230,230,230);"
                          " padding: 1px 3px; }";
}

fs_status_bar::fs_status_bar(QWidget *form, QObject *filter) : QObject(form)
{
    setObjectName(QStringLiteral("status_bar"));
    auto make = [&](QLabel *&l, const char *name) {
        l = new QLabel(form);
        l->setObjectName(QLatin1String(name));
        l->setStyleSheet(QLatin1String(label_style));
        l->installEventFilter(filter);
        l->hide();
    };
    make(l_exit, "l_exit");
    make(l_unseen, "l_unseen");
    make(l_backward, "l_backward");
    make(l_forward, "l_forward");
    make(l_interval, "l_interval");
    make(l_random, "l_random");
    make(l_auto, "l_auto");
    make(l_show_hide, "l_show_hide");
    make(l_filename, "l_filename");
    // Blank while the bar is hidden: it stays clickable but draws nothing.
    l_show_hide->setStyleSheet(QStringLiteral("QLabel { background: transparent;"
                                              " color: rgb(230,230,230); padding: 1px 3px; }"));
    l_filename->setText(QStringLiteral(" "));
}

void fs_status_bar::set_comment(const QString &caption, const QString &tool_tip)
{
    l_filename->setText(caption);
    l_filename->setToolTip(tool_tip);
}

int fs_status_bar::filename_height() const { return px_to_twips(l_filename->sizeHint().height()); }

bool fs_status_bar::bar_hidden() const { return l_show_hide->text().trimmed().isEmpty(); }

void fs_status_bar::update(bool v, bool slide_show, const StatusCaptions &c, int width, int height)
{
    l_show_hide->setText(c.show_hide);
    l_random->setText(c.random);
    l_auto->setText(c.autom);
    l_interval->setText(c.interval);
    l_unseen->setText(c.unseen);
    l_exit->setText(c.exit);
    l_forward->setText(c.forward);
    l_backward->setText(c.backward);

    auto w = [](QLabel *l) { return px_to_twips(l->sizeHint().width()); };
    StatusWidths sw;
    sw.show_hide = w(l_show_hide);
    sw.autom = w(l_auto);
    sw.interval = w(l_interval);
    sw.random = w(l_random);
    sw.exit = w(l_exit);
    sw.unseen = w(l_unseen);
    sw.backward = w(l_backward);
    sw.forward = w(l_forward);
    sw.filename = w(l_filename);
    sw.height = filename_height();
    const StatusLayout l = status_layout(sw, width, height);
    place_control(l_show_hide, l.show_hide);
    place_control(l_auto, l.autom);
    place_control(l_interval, l.interval);
    place_control(l_random, l.random);
    place_control(l_exit, l.exit);
    place_control(l_unseen, l.unseen);
    place_control(l_backward, l.backward);
    place_control(l_forward, l.forward);
    place_control(l_filename, l.filename);
    for (QLabel *lab : {l_filename, l_auto, l_interval, l_random, l_forward, l_backward, l_unseen,
                        l_exit}) {
        lab->setVisible(v);
        lab->raise();
    }
    l_show_hide->setVisible(slide_show);
    l_show_hide->raise();
}

fs_status_bar::Item fs_status_bar::item_of(const QObject *o) const
{
    if (o == l_forward) return Item::Forward;
    if (o == l_backward) return Item::Backward;
    if (o == l_auto) return Item::Auto;
    if (o == l_random) return Item::Random;
    if (o == l_interval) return Item::Interval;
    if (o == l_filename) return Item::Filename;
    if (o == l_exit) return Item::Exit;
    if (o == l_show_hide) return Item::ShowHide;
    return Item::None;
}

} // namespace lf
