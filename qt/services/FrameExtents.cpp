// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FrameExtents.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#if defined(VORMO_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>
#endif

namespace vormo {

#if defined(VORMO_HAVE_XCB) && QT_CONFIG(xcb)
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) { return {reply, &std::free}; }

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a CARDINAL or ATOM property; empty when it is not set.
std::vector<uint32_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type)
{
    const auto reply = owned(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::optional<QMargins> askWindowManager(xcb_connection_t* c, xcb_window_t window)
{
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    // Listed only while a window manager that answers the request runs.
    const std::vector<uint32_t> supported =
        property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE ||
        std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    // The answer is a property the window manager sets on the window, in its own time.
    const QDeadlineTimer deadline(200);
    for (;;) {
        const std::vector<uint32_t> v = property(c, window, extents, XCB_ATOM_CARDINAL);
        if (v.size() == 4) // left, right, top, bottom
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(2);
    }
}

} // namespace
#endif

QMargins expectedFrameMargins([[maybe_unused]] QWidget& window)
{
#if defined(VORMO_HAVE_XCB) && QT_CONFIG(xcb)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return {};
    const std::optional<QMargins> margins =
        askWindowManager(x11->connection(), static_cast<xcb_window_t>(window.winId()));
    if (!margins)
        return {};
    // X11 counts device pixels.
    const qreal ratio = window.devicePixelRatioF();
    return QMargins(qRound(margins->left() / ratio), qRound(margins->top() / ratio),
                    qRound(margins->right() / ratio), qRound(margins->bottom() / ratio));
#else
    return {};
#endif
}

} // namespace vormo
