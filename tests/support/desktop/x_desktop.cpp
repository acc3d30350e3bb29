// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_desktop.h"

#include <QGuiApplication>
#include <QProcess>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace lf::desk {
namespace {

struct FreeDeleter { void operator()(void *p) const { std::free(p); } };
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        qFatal("desktop tests need the xcb platform on the rig's display");
    return x11->connection();
}

const xcb_screen_t *screen() { return xcb_setup_roots_iterator(xcb_get_setup(connection())).data; }
xcb_window_t root() { return screen()->root; }

xcb_atom_t atom(const char *name)
{
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        connection(), xcb_intern_atom(connection(), 0, uint16_t(strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QList<quint32> cardinals(xcb_window_t w, const char *property, xcb_atom_t type)
{
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        connection(), xcb_get_property(connection(), 0, w, atom(property), type, 0, 4096),
        nullptr));
    QList<quint32> out;
    if (!r || r->format != 32)
        return out;
    const auto *v = static_cast<const quint32 *>(xcb_get_property_value(r.get()));
    const int n = xcb_get_property_value_length(r.get()) / 4;
    for (int i = 0; i < n; ++i)
        out << v[i];
    return out;
}

void run_xdotool(const QStringList &args)
{
    xcb_flush(connection());
    const int rc = QProcess::execute(QStringLiteral("xdotool"), args);
    if (rc != 0)
        qFatal("xdotool failed (%d)", rc);
}

} // namespace

WindowId id_of(const QWidget *w) { return WindowId(w->winId()); }

QList<WindowId> stacking() { return cardinals(root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW); }
QList<WindowId> client_list() { return cardinals(root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW); }
WindowId active_window() { return cardinals(root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW).value(0); }

QStringList wm_state(WindowId w)
{
    QStringList names;
    for (quint32 a : cardinals(w, "_NET_WM_STATE", XCB_ATOM_ATOM)) {
        Reply<xcb_get_atom_name_reply_t> r(
            xcb_get_atom_name_reply(connection(), xcb_get_atom_name(connection(), a), nullptr));
        if (r)
            names << QString::fromLatin1(xcb_get_atom_name_name(r.get()),
                                         xcb_get_atom_name_name_length(r.get()));
    }
    return names;
}

QRect frame_rect(WindowId w)
{
    xcb_connection_t *c = connection();
    Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
    Reply<xcb_translate_coordinates_reply_t> t(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, w, root(), 0, 0), nullptr));
    if (!g || !t)
        return {};
    QList<quint32> e = cardinals(w, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    e.resize(4);
    return QRect(t->dst_x - int(e[0]), t->dst_y - int(e[2]), g->width + int(e[0] + e[1]),
                 g->height + int(e[2] + e[3]));
}

QRect screen_rect() { return QRect(0, 0, screen()->width_in_pixels, screen()->height_in_pixels); }

bool above(WindowId upper, WindowId lower)
{
    const QList<WindowId> s = stacking();
    const qsizetype u = s.indexOf(upper), l = s.indexOf(lower);
    return u >= 0 && l >= 0 && u > l;
}

void sync_with_window_manager()
{
    xcb_connection_t *c = connection();
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_client_message_event_t m{XCB_CLIENT_MESSAGE, 32, 0, w, atom("_NET_REQUEST_FRAME_EXTENTS"), {}};
    xcb_send_event(c, 0, root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&m));
    xcb_flush(c);
    const bool answered = QTest::qWaitFor(
        [&] { return cardinals(w, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL).size() == 4; });
    xcb_destroy_window(c, w);
    xcb_flush(c);
    if (!answered)
        qFatal("the window manager did not answer");
}

void key(const QString &keys) { run_xdotool({QStringLiteral("key"), keys}); }

void click(const QPoint &p)
{
    run_xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace lf::desk
