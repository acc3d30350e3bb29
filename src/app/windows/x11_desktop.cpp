// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/x11_desktop.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace lf::x11 {
namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t *connection()
{
    if (!qGuiApp)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t root(xcb_connection_t *c)
{
    const xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return s ? s->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<uint32_t> values(xcb_connection_t *c, xcb_window_t w, xcb_atom_t property,
                             xcb_atom_t type)
{
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr));
    if (!r || r->format != 32)
        return {};
    const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(r.get()));
    return std::vector<uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

bool supported(xcb_connection_t *c, const char *name)
{
    const xcb_atom_t wanted = atom(c, name);
    for (uint32_t a : values(c, root(c), atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM))
        if (a == wanted)
            return true;
    return false;
}

class FrameExtentsFilter : public QAbstractNativeEventFilter {
public:
    FrameExtentsFilter(xcb_atom_t extents, std::function<void(WId)> framed)
        : extents_(extents), framed_(std::move(framed))
    {
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *e = static_cast<const xcb_generic_event_t *>(message);
        if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *p = static_cast<const xcb_property_notify_event_t *>(message);
        if (p->atom == extents_) {
            const WId id = p->window;
            QTimer::singleShot(0, qGuiApp, [f = framed_, id] { f(id); });
        }
        return false;
    }

private:
    xcb_atom_t extents_;
    std::function<void(WId)> framed_;
};

} // namespace

std::optional<QMargins> frame_extents(WId window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return std::nullopt;
    const std::vector<uint32_t> e =
        values(c, xcb_window_t(window), atom(c, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (e.size() != 4)
        return std::nullopt;
    return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
}

void watch_frame_extents(std::function<void(WId)> framed)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    static FrameExtentsFilter *filter = nullptr;
    if (filter)
        return;
    filter = new FrameExtentsFilter(atom(c, "_NET_FRAME_EXTENTS"), std::move(framed));
    qGuiApp->installNativeEventFilter(filter);
}

bool window_manager_running()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    return !values(c, root(c), atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).empty();
}

void skip_window_lists(QWidget *w)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    // Qt keeps the states it does not manage itself when it maps the window.
    const xcb_atom_t states[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(w->winId()),
                        atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(c);
}

std::optional<QMargins> requested_frame_extents(int timeout_ms)
{
    xcb_connection_t *c = connection();
    if (!c || !window_manager_running() || !supported(c, "_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root(c), 0, 0, 64, 64, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = w;
    m.type = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&m));
    xcb_flush(c);
    // The window is never mapped; the manager answers with a property.
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    std::optional<QMargins> frame;
    QElapsedTimer t;
    t.start();
    do {
        const std::vector<uint32_t> e = values(c, w, extents, XCB_ATOM_CARDINAL);
        if (e.size() == 4) {
            frame = QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (t.elapsed() < timeout_ms);
    xcb_destroy_window(c, w);
    xcb_flush(c);
    return frame;
}

} // namespace lf::x11
