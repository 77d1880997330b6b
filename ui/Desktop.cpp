// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Desktop.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#if TELVIR_HAVE_XCB
#include "ui/X11.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>
#endif

namespace {

#if TELVIR_HAVE_XCB

// WM_SIZE_HINTS: 18 values, the flags first and the window's gravity last.
constexpr std::size_t SizeHintsLength = 18;
constexpr std::size_t GravityField = 17;
constexpr uint32_t GravityFlag = 1U << 9;

// A compositing window manager's opacity for a window; transparent at 0.
constexpr const char *OpacityAtom = "_NET_WM_WINDOW_OPACITY";

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

// The name of the EWMH window manager that is running, not just one that has
// left its properties behind: its check window is there and names itself.
// None without a window manager.
std::optional<QByteArray> WindowManager(xcb_connection_t *connection)
{
    const xcb_atom_t check = X11Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto named = Property(connection, X11RootScreen(connection)->root, check, XCB_ATOM_WINDOW);
    if (named.size() != 1 || Property(connection, named[0], check, XCB_ATOM_WINDOW) != named)
        return std::nullopt;
    return TextProperty(connection, named[0], X11Atom(connection, "_NET_WM_NAME"), X11Atom(connection, "UTF8_STRING"));
}

// The frame the window manager will put around a window that is not mapped
// yet, where it says so: no frame without a window manager, and the answer to
// _NET_REQUEST_FRAME_EXTENTS from one that offers it, which comes within a
// few milliseconds. Nothing from the others: some do not offer the request,
// and some offer it but never answer, which is remembered so as to wait for
// them only once, and not for long. Fluxbox's answer is not to be used: 1.3.5
// (Debian 12) never gives one, and 1.3.7 (Debian 13) counts a resize handle
// that it leaves off a window of fixed size. mutter 48 (Debian 13), whose
// frames a client of its own draws, answers at once with no frame and adds
// its title bar afterwards: an empty answer is taken for none, which costs
// nothing where there is no frame indeed. Without an answer the window
// manager centres the frame itself (centre gravity), which fluxbox and
// mutter do right.
std::optional<QMargins> FrameToCome(QWidget *window)
{
    static bool s_unanswered = false;
    xcb_connection_t *connection = X11Connection();
    if (!connection)
        return QMargins();
    const std::optional<QByteArray> manager = WindowManager(connection);
    if (!manager)
        return QMargins();
    const xcb_window_t root = X11RootScreen(connection)->root;
    const xcb_atom_t request = X11Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const auto supported = Property(connection, root, X11Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (s_unanswered || std::find(supported.begin(), supported.end(), request) == supported.end()
        || manager == "Fluxbox")
        return std::nullopt;

    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    const xcb_atom_t extents = X11Atom(connection, "_NET_FRAME_EXTENTS");
    // Within a few milliseconds as a rule, but a window manager on a busy
    // machine was seen to take over 100.
    const QDeadlineTimer deadline(250);
    do {
        const auto frame = Property(connection, id, extents, XCB_ATOM_CARDINAL); // left, right, top, bottom
        if (frame.size() == 4) {
            const QMargins margins{int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3])};
            return margins.isNull() ? std::nullopt : std::optional(margins);
        }
        QThread::msleep(1);
    } while (!deadline.hasExpired());
    s_unanswered = true;
    return std::nullopt;
}

// Shows the window with its top-left corner at `corner` and the given
// gravity in its size hints, which tells the window manager how to put its
// frame around it as it maps the window: around the window where it stands
// (static gravity), or with the frame's centre on the window's centre. The
// window is moved there explicitly, since a window manager may have moved it
// when it was last hidden without Qt knowing. The server is held while Qt
// maps the window and the hints are rewritten, so that the window manager
// cannot read them in between: Qt (6.4, 6.8 and 6.11 alike) writes its own
// size hints, with a gravity of its own, and maps the window within show().
// Under kwin the window is shown fully transparent, since kwin may show it
// elsewhere first (SettleOnceFramed); returns whether it is.
bool ShowOnX11(QWidget *window, QPoint corner, xcb_gravity_t gravity, const std::function<void()> &show)
{
    window->setGeometry(QRect(corner, window->size()));
    xcb_connection_t *connection = X11Connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const QPoint device = corner * window->devicePixelRatio();
    const uint32_t position[] = {static_cast<uint32_t>(device.x()), static_cast<uint32_t>(device.y())};
    const bool transparent = WindowManager(connection) == "KWin";
    xcb_grab_server(connection);
    xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position);
    if (transparent) {
        const uint32_t none = 0;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, X11Atom(connection, OpacityAtom), XCB_ATOM_CARDINAL,
                            32, 1, &none);
    }
    show();
    auto hints = Property(connection, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
    if (hints.size() >= SizeHintsLength) {
        hints[0] |= GravityFlag;
        hints[GravityField] = gravity;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                            static_cast<uint32_t>(hints.size()), hints.data());
    }
    xcb_ungrab_server(connection);
    xcb_flush(connection);
    return transparent;
}

// Where the window stands on the screen as the X server has it. Qt's own
// figure comes from what the window manager tells, which not every window
// manager tells right. The window's own root, since on a display of several
// screens it may stand on any of them.
std::optional<QPoint> X11Position(const QWidget *window)
{
    xcb_connection_t *connection = X11Connection();
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry)
        return std::nullopt;
    const auto cookie = xcb_translate_coordinates(connection, id, geometry->root, 0, 0);
    const XcbReply<xcb_translate_coordinates_reply_t> reply(
        xcb_translate_coordinates_reply(connection, cookie, nullptr), &std::free);
    if (!reply)
        return std::nullopt;
    return QPoint(reply->dst_x, reply->dst_y) / window->devicePixelRatio();
}

// The frame the window manager tells (left, right, top, bottom) and where
// the window stands. An empty frame counts as none yet: mutter 48 tells one
// before its title bar comes, and one told when the window was shown before
// may still stand. Otherwise a frame's sides are the same wherever the
// window stands, so the two need not be read at one instant.
std::pair<std::vector<uint32_t>, std::optional<QPoint>> FrameAndPosition(const QWidget *window)
{
    xcb_connection_t *connection = X11Connection();
    auto frame = Property(connection, static_cast<xcb_window_t>(window->winId()),
                          X11Atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (std::all_of(frame.begin(), frame.end(), [](uint32_t side) { return side == 0; }))
        frame.clear();
    return {std::move(frame), X11Position(window)};
}

// Once the window manager has framed the window that was asked to stand at
// `corner`: where the frame was not known in advance, the window manager was
// asked to centre it on the window (centre gravity) at `centre` (in device
// pixels). kwin on Wayland (5.27 and 6.3, with a decoration) sometimes leaves
// the window where it stands and puts the frame around it, half a title bar
// too high, seemingly when the decoration comes after the window: a frame
// whose centre is then more than a pixel off is moved there, once. Before
// that, a window manager may show the window elsewhere (mutter 48 at the
// screen's corner, kwin on a busy machine with its frame there), which is no
// reason to move it. A window shown transparent is made opaque when it stands
// where it should, or when two seconds have passed (where a window manager
// frames nothing), or when it is hidden meanwhile. Returns the watch, which
// ends with it.
QTimer *SettleOnceFramed(QWidget *window, QPoint corner, std::optional<QPointF> centre)
{
    xcb_connection_t *connection = X11Connection();
    auto *poll = new QTimer(window);
    const QDeadlineTimer deadline(2000);
    QObject::connect(poll, &QTimer::timeout, window, [=, moved = false]() mutable {
        const auto id = static_cast<xcb_window_t>(window->winId());
        const auto [frame, client] = FrameAndPosition(window);
        const auto step = [](qreal by) { return qAbs(by) > 1 ? qRound(by) : 0; };
        const auto near = [step](QPoint a, QPoint b) { return step(a.x() - b.x()) == 0 && step(a.y() - b.y()) == 0; };
        bool placed = false;
        if (frame.size() == 4 && client) {
            const bool whereAsked = near(corner, *client);
            placed = whereAsked;
            if (centre) {
                const qreal scale = window->devicePixelRatio();
                const QRectF framed = QRectF(QPointF(*client) * scale, QSizeF(window->size()) * scale)
                                          .adjusted(-qreal(frame[0]), -qreal(frame[2]), frame[1], frame[3]);
                const QPointF off = (*centre - framed.center()) / scale;
                const QPoint move(step(off.x()), step(off.y()));
                // The move starts from where Qt has the window, which may
                // lag behind the X server's word by an event.
                const bool knownToQt = near(window->geometry().topLeft(), *client);
                if (!move.isNull() && whereAsked && knownToQt && !moved && window->isVisible()) {
                    window->move(window->pos() + move);
                    moved = true;
                }
                placed = move.isNull();
            }
        }
        if (placed || !window->isVisible() || deadline.hasExpired()) {
            xcb_delete_property(connection, id, X11Atom(connection, OpacityAtom));
            xcb_flush(connection);
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
    return poll;
}

#else

std::optional<QMargins> FrameToCome(QWidget *)
{
    return QMargins();
}

std::optional<QPoint> X11Position(const QWidget *)
{
    return std::nullopt;
}

QTimer *SettleOnceFramed(QWidget *, QPoint, std::optional<QPointF>)
{
    return nullptr;
}

#endif

// Shows the window with its top-left corner, without the frame, at `corner`.
// Where the frame is not known, the window manager is asked to centre it on
// the window. Returns whether the window is shown transparent for now.
bool ShowAt(QWidget *window, QPoint corner, bool frameKnown, const std::function<void()> &show)
{
#if TELVIR_HAVE_XCB
    if (X11Connection())
        return ShowOnX11(window, corner, frameKnown ? XCB_GRAVITY_STATIC : XCB_GRAVITY_CENTER, show);
#endif
    Q_UNUSED(frameKnown);
    window->setGeometry(QRect(corner, window->size()));
    show();
    return false;
}

} // namespace

void WindowPlacement::Show(QWidget *window, const std::function<void()> &show)
{
    if (m_lastCorner) {
        const bool transparent = ShowAt(window, *m_lastCorner, true, show);
        m_settling = transparent ? SettleOnceFramed(window, *m_lastCorner, std::nullopt) : nullptr;
        return;
    }
    // The size is settled as the window is first shown; settle it now.
    if (QLayout *layout = window->layout())
        layout->activate();
    // Some platforms know the frame before the window is mapped; on X11 it is
    // the window manager's, and Qt learns it only afterwards. The window
    // manager's frame is in the screen's own pixels, so the centre is worked
    // out in those, whatever the desktop's scale.
    const qreal scale = window->devicePixelRatio();
    const QMargins known = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const std::optional<QMargins> frame = known.isNull() ? FrameToCome(window) : known * scale;
    const QMargins margins = frame.value_or(QMargins());
    const QRect area = window->screen()->availableGeometry();
    const QSize outer = (window->size() * scale).grownBy(margins);
    const QPoint frameCorner = area.topLeft() * scale
                               + QPoint((qRound(area.width() * scale) - outer.width()) / 2,
                                        (qRound(area.height() * scale) - outer.height()) / 2);
    const QPoint corner = (frameCorner + QPoint(margins.left(), margins.top())) / scale;
    const bool transparent = ShowAt(window, corner, frame.has_value(), show);
    const QPointF centre = QRectF(QPointF(area.topLeft()) * scale, QSizeF(area.size()) * scale).center();
    const std::optional<QPointF> centreToMend = frame ? std::nullopt : std::optional(centre);
    m_settling = !frame || transparent ? SettleOnceFramed(window, corner, centreToMend) : nullptr;
}

void WindowPlacement::SetVisible(QWidget *window, bool visible, const std::function<void(bool)> &setVisible)
{
    if (visible) {
        Show(window, [&setVisible] { setVisible(true); });
        return;
    }
    // While the window manager still frames the window, it may stand
    // anywhere (at the screen's corner, under mutter 48), and nowhere the
    // user put it: it is shown again as it would have been.
    if (window->isVisible() && !m_settling)
        m_lastCorner = X11Position(window).value_or(window->geometry().topLeft());
    setVisible(false);
}

void KeepNormalSize(QWidget *window)
{
    const Qt::WindowStates refused = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(window->windowState() & refused))
        return;
    // Once the window manager has finished carrying the request out, ask it
    // to undo it, which puts the window back where it was.
    QMetaObject::invokeMethod(
        window, [window, refused] { window->setWindowState(window->windowState() & ~refused); }, Qt::QueuedConnection);
}
