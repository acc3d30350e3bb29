// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "slideshow/slide_placement.h"

#include <QObject>

class QLabel;
class QWidget;

namespace lf {

// The labels along the bottom edge of the full-screen window.
class fs_status_bar : public QObject {
    Q_OBJECT
public:
    enum class Item { None, Forward, Backward, Auto, Random, Interval, Filename, Exit, ShowHide };

    // Labels are children of form; clicks reach filter's eventFilter.
    fs_status_bar(QWidget *form, QObject *filter);

    void set_comment(const QString &caption, const QString &tool_tip);
    int filename_height() const; // twips
    bool bar_hidden() const;     // l_show_hide shows only blanks
    // Captions, places (twips) and visibility for the window's width and height.
    void update(bool visible, bool slide_show, const StatusCaptions &c, int width, int height);
    Item item_of(const QObject *o) const;

private:
    QLabel *l_exit = nullptr, *l_unseen = nullptr, *l_backward = nullptr, *l_forward = nullptr,
           *l_interval = nullptr, *l_random = nullptr, *l_auto = nullptr,
           *l_show_hide = nullptr, *l_filename = nullptr;
};

} // namespace lf
