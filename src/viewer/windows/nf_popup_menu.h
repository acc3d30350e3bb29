// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace lf {

class form_nf;

// The picture window's context menu. Its items are the window's members
// (form_nf::m_...), so that the window's keys and the tests reach them.
class nf_popup_menu : public QMenu {
    Q_OBJECT
public:
    explicit nf_popup_menu(form_nf *f);
};

} // namespace lf
