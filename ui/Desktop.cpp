// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Desktop.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#if TELVIR_HAVE_XCB
#include <QDeadlineTimer>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

namespace {

#if TELVIR_HAVE_XCB

template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t *X11Connection()
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

const xcb_screen_t *X11RootScreen(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A property made of 32-bit values (atoms, cardinals); empty when it is unset.
std::vector<uint32_t> Property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 1024);
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// An EWMH window manager is running, not just one that has left its
// properties behind: its check window is there and names itself.
bool WindowManagerRunning(xcb_connection_t *connection, xcb_window_t root)
{
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto named = Property(connection, root, check, XCB_ATOM_WINDOW);
    return named.size() == 1 && Property(connection, named[0], check, XCB_ATOM_WINDOW) == named;
}

// The frame an EWMH window manager will put around a window that is not
// mapped yet. It answers _NET_REQUEST_FRAME_EXTENTS by setting
// _NET_FRAME_EXTENTS on the window, at once in practice; without such a
// window manager there is no frame.
QMargins FrameToCome(QWidget *window)
{
    xcb_connection_t *connection = X11Connection();
    if (!connection)
        return {};
    const xcb_window_t root = X11RootScreen(connection)->root;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const auto supported = Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), request) == supported.end()
        || !WindowManagerRunning(connection, root))
        return {};

    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const QDeadlineTimer deadline(500);
    do {
        const auto frame = Property(connection, id, extents, XCB_ATOM_CARDINAL); // left, right, top, bottom
        if (frame.size() == 4)
            return QMargins(int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3]));
        QThread::msleep(2);
    } while (!deadline.hasExpired());
    return {};
}

#else

QMargins FrameToCome(QWidget *)
{
    return {};
}

#endif

} // namespace

void CentreOnFirstShowing(QWidget *window)
{
    if (window->testAttribute(Qt::WA_Moved))
        return;
    // Some platforms know the frame in advance; on X11 it is the window
    // manager's, and Qt learns it only once the window is mapped.
    const QMargins known = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QMargins frame = known.isNull() ? FrameToCome(window) : known;
    const QRect screen = window->screen()->availableGeometry();
    const QSize outer = window->size().grownBy(frame);
    const QPoint frameCorner =
        screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
    // move() places the frame as far as Qt knows it. The window manager keeps
    // the client area where it is asked for, and adds its frame around it.
    window->move(frameCorner + QPoint(frame.left() - known.left(), frame.top() - known.top()));
}

int X11ServerDpi()
{
#if TELVIR_HAVE_XCB
    if (xcb_connection_t *connection = X11Connection()) {
        const xcb_screen_t *screen = X11RootScreen(connection);
        if (screen && screen->height_in_millimeters > 0)
            return static_cast<int>(std::lround(screen->height_in_pixels * 25.4 / screen->height_in_millimeters));
    }
#endif
    return 0;
}
