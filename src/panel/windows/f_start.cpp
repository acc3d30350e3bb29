#include "panel/windows/f_start.h"

#include "app/process_end.h"
#include "app/window_registry.h"

#include <QCloseEvent>
#include <QPointer>

namespace lf {
namespace {
QPointer<f_start> panel;
}

f_start::f_start()
{
    setObjectName(QStringLiteral("f_start"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumenfolio"));
    resize(600, 400);
    registry().main_panel_loaded = true;
}

f_start *f_start::loaded() { return panel; }

void f_start::show_main_panel()
{
    if (!panel)
        panel = new f_start;
    panel->show();
    panel->raise();
    panel->activateWindow();
}

void f_start::associate_menu_enabled(bool enabled) { associate_enabled_ = enabled; }

void f_start::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    registry().main_panel_loaded = false;
    after_main_panel_closed();
}

} // namespace lf
