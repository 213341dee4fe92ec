// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FrameExtents.h"

#include <QAbstractNativeEventFilter>
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

xcb_intern_atom_cookie_t askAtom(xcb_connection_t* c, const char* name)
{
    return xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atom(xcb_connection_t* c, xcb_intern_atom_cookie_t asked)
{
    const auto reply = owned(xcb_intern_atom_reply(c, asked, nullptr));
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

// The frame as X11 gives it: left, right, top, bottom; none when it is not set.
std::optional<QMargins> reportedExtents(xcb_connection_t* c, xcb_window_t window,
                                        xcb_atom_t extents)
{
    const std::vector<uint32_t> v = property(c, window, extents, XCB_ATOM_CARDINAL);
    if (v.size() != 4)
        return std::nullopt;
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Qt leaves the decorations out of the Motif hints of a window with a title and no buttons, and
// says so in their flags. mutter's answer to the request reads the decorations anyway and
// reckons no frame, then draws its title all the same. Naming title and border there changes
// nothing for window managers that read the flags.
void nameDecorations(xcb_connection_t* c, xcb_window_t window, Qt::WindowFlags flags,
                     xcb_intern_atom_cookie_t motif)
{
    const auto reply = owned(xcb_intern_atom_reply(c, motif, nullptr));
    if (!reply || !(flags & Qt::CustomizeWindowHint) || !(flags & Qt::WindowTitleHint) ||
        flags & (Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint))
        return;
    // flags: functions only; functions: move, resize; decorations: border, title
    const uint32_t hints[5] = {1, 2 | 4, 2 | 8, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, reply->atom, reply->atom, 32, 5, hints);
}

std::optional<QMargins> askWindowManager(xcb_connection_t* c, xcb_window_t window,
                                         Qt::WindowFlags flags)
{
    // Every question goes out at once: the answers come back in one round trip, the start-up
    // waits for two in all.
    const xcb_intern_atom_cookie_t motif = askAtom(c, "_MOTIF_WM_HINTS"),
                                   requestAsked = askAtom(c, "_NET_REQUEST_FRAME_EXTENTS"),
                                   extentsAsked = askAtom(c, "_NET_FRAME_EXTENTS"),
                                   supportedAsked = askAtom(c, "_NET_SUPPORTED");
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const xcb_atom_t request = atom(c, requestAsked), extents = atom(c, extentsAsked),
                     supportedName = atom(c, supportedAsked);
    if (!geometry) {
        xcb_discard_reply(c, motif.sequence);
        return std::nullopt;
    }
    // Listed only while a window manager that answers the request runs.
    const std::vector<uint32_t> supported =
        property(c, geometry->root, supportedName, XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE ||
        std::find(supported.begin(), supported.end(), request) == supported.end()) {
        xcb_discard_reply(c, motif.sequence);
        return std::nullopt;
    }

    nameDecorations(c, window, flags, motif);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(c, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    // The answer is a property the window manager sets on the window, in its own time.
    const QDeadlineTimer deadline(200);
    for (;;) {
        if (const std::optional<QMargins> margins = reportedExtents(c, window, extents))
            return margins;
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(2);
    }
}

xcb_connection_t* x11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// X11 counts device pixels.
QMargins logical(const QWidget& window, const QMargins& m)
{
    const qreal ratio = window.devicePixelRatioF();
    return QMargins(qRound(m.left() / ratio), qRound(m.top() / ratio), qRound(m.right() / ratio),
                    qRound(m.bottom() / ratio));
}

class ExtentsWatcher final : public QObject, public QAbstractNativeEventFilter {
public:
    ExtentsWatcher(QWidget& window, QObject& owner, xcb_connection_t* c,
                   std::function<void(QMargins)> framed)
        : QObject(&owner), window_(window), c_(c), xid_(xcb_window_t(window.winId())),
          // Its answer is read with the first property change: nothing waits for it now.
          cookie_(xcb_intern_atom(c, 0, 18, "_NET_FRAME_EXTENTS")), framed_(std::move(framed))
    {
        qApp->installNativeEventFilter(this);
    }
    ~ExtentsWatcher() override
    {
        qApp->removeNativeEventFilter(this);
        if (extents_ == XCB_ATOM_NONE)
            xcb_discard_reply(c_, cookie_.sequence);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (change->window == xid_ && change->atom == extents())
            QMetaObject::invokeMethod(this, &ExtentsWatcher::report, Qt::QueuedConnection);
        return false;
    }

private:
    xcb_atom_t extents()
    {
        if (extents_ == XCB_ATOM_NONE) {
            const auto reply = owned(xcb_intern_atom_reply(c_, cookie_, nullptr));
            extents_ = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
        return extents_;
    }

    void report()
    {
        if (const std::optional<QMargins> margins = reportedExtents(c_, xid_, extents_))
            framed_(logical(window_, *margins));
    }

    QWidget& window_;
    xcb_connection_t* c_;
    xcb_window_t xid_;
    xcb_intern_atom_cookie_t cookie_;
    xcb_atom_t extents_ = XCB_ATOM_NONE;
    std::function<void(QMargins)> framed_;
};

} // namespace
#endif

QMargins expectedFrameMargins([[maybe_unused]] QWidget& window)
{
#if defined(VORMO_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* c = x11Connection();
    const std::optional<QMargins> margins =
        c ? askWindowManager(c, static_cast<xcb_window_t>(window.winId()), window.windowFlags())
          : std::nullopt;
    return margins ? logical(window, *margins) : QMargins();
#else
    return {};
#endif
}

void watchFrameMargins([[maybe_unused]] QWidget& window, [[maybe_unused]] QObject& owner,
                       [[maybe_unused]] std::function<void(QMargins)> framed)
{
#if defined(VORMO_HAVE_XCB) && QT_CONFIG(xcb)
    if (xcb_connection_t* c = x11Connection())
        new ExtentsWatcher(window, owner, c, std::move(framed));
#endif
}

} // namespace vormo
