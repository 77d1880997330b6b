// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which window managers the windows ask for their frame before they appear,
// and which answers they use: a stand-in window manager of a few lines, run
// as this same executable, offers the request, counts the requests it gets
// and answers each with a frame of its own, at once or too late. It frames
// nothing, so a window stands where the program put it: centred with the
// frame where the answer was used, and centred without it otherwise. Each
// case runs the program anew, since it remembers a window manager that
// never answered.

#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/X11.h"

#include <QProcess>
#include <QTemporaryDir>

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// The frame the stand-in tells: left, right, top, bottom.
constexpr uint32_t StandInFrame[] = {10, 10, 30, 10};

// As mutter 48 does while it frames a window in a client of its own: an
// empty frame at once, with the window meanwhile at the screen's corner
// where `atTheCorner`, and the window back where it was 300 ms later. The
// move back and the frame that follows come under one server grab, as a
// window manager frames a window.
void FrameLater(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t extents, bool atTheCorner)
{
    const XcbReply<xcb_get_geometry_reply_t> asked(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    if (!asked)
        return;
    const uint32_t corner[] = {0, 0}, where[] = {uint32_t(asked->x), uint32_t(asked->y)}, empty[4] = {};
    const uint16_t position = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
    if (atTheCorner)
        xcb_configure_window(connection, window, position, corner);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, extents, XCB_ATOM_CARDINAL, 32, 4, empty);
    xcb_flush(connection);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xcb_grab_server(connection);
    xcb_configure_window(connection, window, position, where);
}

// The stand-in: an EWMH check window named `name`; the frame request
// `answer`ed with its frame after so many milliseconds, or with an empty one
// at once ("empty", as mutter 48 does), or not offered ("none"); and once a
// window is mapped, `onMap`, nothing, or its frame told with the window left
// where it stands ("frame", as kwin on Wayland may do), or that after an
// empty frame ("later"), or after that with the window at the screen's
// corner ("corner"). It says "ready" once
// it is there, and the number of requests when its standard input closes.
int StandInWindowManager(const char *name, const QByteArray &answer, const QByteArray &onMap)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t check = xcb_generate_id(connection);
    xcb_create_window(connection, 0, check, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0,
                      nullptr);
    const xcb_atom_t checkAtom = X11Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const xcb_atom_t request = X11Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = X11Atom(connection, "_NET_FRAME_EXTENTS");
    const auto tellFrame = [&](xcb_window_t window, const uint32_t *frame) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, extents, XCB_ATOM_CARDINAL, 32, 4, frame);
        xcb_ungrab_server(connection);
        xcb_flush(connection);
    };
    for (const xcb_window_t window : {root, check})
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, checkAtom, XCB_ATOM_WINDOW, 32, 1, &check);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, check, X11Atom(connection, "_NET_WM_NAME"),
                        X11Atom(connection, "UTF8_STRING"), 8, static_cast<uint32_t>(std::strlen(name)), name);
    const bool offered = answer != "none";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, X11Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM,
                        32, offered ? 1 : 0, &request);
    // The request is sent to the root for those who watch its children.
    const uint32_t watched = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &watched);
    xcb_flush(connection);
    StandInReady();

    const uint32_t empty[4] = {};
    int requests = 0;
    pollfd sources[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {0, POLLIN, 0}};
    while (sources[1].revents == 0 && !xcb_connection_has_error(connection)) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
            const auto *mapped = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && onMap != "nothing") {
                if (onMap != "frame")
                    FrameLater(connection, mapped->window, extents, onMap == "corner");
                tellFrame(mapped->window, StandInFrame);
            }
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == request) {
                ++requests;
                if (answer != "empty")
                    std::this_thread::sleep_for(std::chrono::milliseconds(answer.toInt()));
                tellFrame(message->window, answer == "empty" ? empty : StandInFrame);
            }
            std::free(event);
        }
        poll(sources, 2, -1);
    }
    std::printf("%d\n", requests);
    xcb_disconnect(connection);
    return 0;
}

// Whether the window is still shown transparent, as under kwin until it
// stands where it should.
bool Transparent(const QWidget *window)
{
    xcb_connection_t *connection = X11Connection();
    const auto cookie = xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()),
                                         X11Atom(connection, "_NET_WM_WINDOW_OPACITY"), XCB_ATOM_CARDINAL, 0, 1);
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    return reply && reply->type != XCB_ATOM_NONE;
}

// The program's side: where the main window and the About window stood
// once the program no longer watches for their frame, as "X,Y X,Y", and
// "transparent" after them where one of them was still shown so. Where
// `reopened`, About is first closed at once and opened again a moment later.
int Report(int &argc, char *argv[], const QString &file, bool reopened)
{
    return PlayAsProgram(argc, argv, [file, reopened] {
        AboutForm->show();
        if (reopened) {
            QTest::qWait(100);
            AboutForm->hide();
            QTest::qWait(50);
            AboutForm->show();
        }
        QTest::qWait(2500); // past the program's own watch for the frame
        const bool transparent = Transparent(MainForm) || Transparent(AboutForm);
        AboutForm->hide();
        QFile report(file);
        if (!report.open(QIODevice::WriteOnly))
            qFatal("cannot write the report");
        for (const QWidget *window : {static_cast<QWidget *>(MainForm), static_cast<QWidget *>(AboutForm)})
            report.write(QString("%1,%2 ").arg(window->x()).arg(window->y()).toUtf8());
        if (transparent)
            report.write("transparent");
        QCoreApplication::quit();
    });
}

} // namespace

class FrameRequestTest : public QObject {
    Q_OBJECT

private slots:
    void askedAndUsed_data();
    void askedAndUsed();
};

void FrameRequestTest::askedAndUsed_data()
{
    // On a 1280×1024 screen with no panel, the main window is 464×409 and
    // About 377×220. Centred without a frame they stand at (408, 307) and
    // (451, 402); with the stand-in's frame, 20 wider and 40 taller with the
    // title 30 high, 10 lower. A frame told only once the window is there, as
    // the late answer is, and centred 10.5 and 10 pixels high, is moved to
    // the centre, also where the window first stood elsewhere. Of a window
    // manager that answered too late only the first window asks, and its
    // answer is not used to place it. An empty answer or frame is taken for
    // none.
    // Under kwin the windows are shown transparent until they stand where
    // they should, whether their frame was known in advance or not. A window
    // closed while the window manager still frames it comes back centred.
    QTest::addColumn<QStringList>("standIn"); // its name, its answer, what it does once a window is mapped
    QTest::addColumn<bool>("reopened");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("corners");
    QTest::newRow("answered at once") << QStringList{"Openbox", "0", "nothing"} << false << 2 << "408,317 451,412";
    QTest::newRow("answered too late") << QStringList{"Silent", "800", "nothing"} << false << 1 << "408,318 451,402";
    QTest::newRow("fluxbox, whose answer is wrong, not asked")
        << QStringList{"Fluxbox", "0", "nothing"} << false << 0 << "408,307 451,402";
    QTest::newRow("one that frames a window where it stands")
        << QStringList{"KWin", "none", "frame"} << false << 0 << "408,318 451,412";
    QTest::newRow("the same, the window first at the corner")
        << QStringList{"Mutter", "none", "corner"} << false << 0 << "408,318 451,412";
    QTest::newRow("the same, About closed at once and opened again")
        << QStringList{"Mutter", "none", "corner"} << true << 0 << "408,318 451,412";
    QTest::newRow("an empty answer, and an empty frame before the real one")
        << QStringList{"Mutter", "empty", "later"} << false << 2 << "408,318 451,412";
    QTest::newRow("kwin answering at once") << QStringList{"KWin", "0", "nothing"} << false << 2 << "408,317 451,412";
}

void FrameRequestTest::askedAndUsed()
{
    QFETCH(QStringList, standIn);
    QFETCH(bool, reopened);
    QFETCH(int, requests);
    QFETCH(QString, corners);
    QProcess windowManager;
    QVERIFY(StartStandIn(windowManager, QStringList{"--window-manager"} + standIn));

    const QTemporaryDir folder;
    const QString report = folder.filePath("report");
    const ProgramRun run = RunAsProgram({"--report", report, reopened ? "reopened" : "once"});
    QVERIFY(StopStandIn(windowManager));
    QVERIFY2(run.ended && run.status == 0, qPrintable(run.errors));
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()).trimmed(), corners);
    QCOMPARE(windowManager.readAll().trimmed().toInt(), requests);
}

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--window-manager") == 0)
        return StandInWindowManager(argv[2], argv[3], argv[4]);
    if (argc == 4 && qstrcmp(argv[1], "--report") == 0) {
        const QString file = QString::fromLocal8Bit(argv[2]);
        const bool reopened = qstrcmp(argv[3], "reopened") == 0;
        int count = 1;
        return Report(count, argv, file, reopened);
    }
    QCoreApplication application(argc, argv);
    FrameRequestTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FrameRequest.moc"
