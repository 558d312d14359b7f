#include "platform/linux/X11SkipTaskbar.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace rimo {

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::vector<xcb_atom_t> States(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    std::vector<xcb_atom_t> states;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, 1024), nullptr);
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        states.assign(atoms, atoms + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return states;
}

} // namespace

void X11SkipTaskbar::Apply(QWindow& window, bool skip) {
    // Only the xcb platform's windows are X windows (the offscreen one
    // offers the interface without a connection).
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb") || !window.handle()) {
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t property = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t states[] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (window.isVisible()) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = property;
        event.data.data32[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD, _REMOVE
        event.data.data32[1] = states[0];
        event.data.data32[2] = states[1];
        event.data.data32[3] = 1; // from an application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    } else {
        std::vector<xcb_atom_t> now = States(c, id, property);
        for (const xcb_atom_t state : states) {
            const auto at = std::find(now.begin(), now.end(), state);
            if (skip && at == now.end()) {
                now.push_back(state);
            } else if (!skip && at != now.end()) {
                now.erase(at);
            }
        }
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, property, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(now.size()), now.data());
    }
    xcb_flush(c);
}

} // namespace rimo
