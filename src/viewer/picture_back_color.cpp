// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/picture_back_color.h"

#include "app/settings.h"

namespace lf {

QColor picture_back_color()
{
    const int c = numeric_int(get_setting(key::pic_back_color));
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void save_picture_back_color(const QColor &c)
{
    save_setting(key::pic_back_color, QString::number(c.red() | (c.green() << 8) | (c.blue() << 16)));
}

} // namespace lf
