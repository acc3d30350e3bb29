#include "app/windows/frame_metrics.h"

#include "app/twips.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

namespace lf {
namespace {

// Without a window manager nobody draws frames, and waiting for one would
// only delay the first window.
bool x11_window_manager_running()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return true; // cannot tell: measure
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
    if (!atom)
        return true;
    const xcb_atom_t check = atom->atom;
    std::free(atom);
    if (check == XCB_ATOM_NONE)
        return false;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return true;
    xcb_get_property_reply_t *prop = xcb_get_property_reply(
        c, xcb_get_property(c, 0, screen->root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool running = prop && xcb_get_property_value_length(prop) > 0;
    std::free(prop);
    return running;
}

} // namespace

QSize measure_frame()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {0, 0};
    if (platform == QLatin1String("xcb") && !x11_window_manager_running())
        return {0, 0};
    QWidget probe;
    probe.setWindowTitle(QString());
    probe.setAttribute(Qt::WA_DontShowOnScreen, false);
    probe.setWindowOpacity(0.0);
    probe.setGeometry(-2000, -2000, 64, 64);
    probe.show();
    // The window manager reparents the window shortly after it is mapped.
    QElapsedTimer t;
    t.start();
    QSize frame;
    while (t.elapsed() < 400) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const QRect outer = probe.frameGeometry();
        const QRect inner = probe.geometry();
        frame = QSize(outer.width() - inner.width(), outer.height() - inner.height());
        if (frame.height() > 0)
            break;
    }
    probe.hide();
    return {px_to_twips(qMax(0, frame.width())), px_to_twips(qMax(0, frame.height()))};
}

} // namespace lf
