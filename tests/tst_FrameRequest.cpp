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

// As mutter 48 does while it frames a window in a client of its own: the
// window stands at the screen's corner with an empty frame for `wait`
// milliseconds, then where it was.
void FirstAtTheCorner(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t extents, int wait)
{
    const XcbReply<xcb_get_geometry_reply_t> asked(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    if (!asked)
        return;
    const uint32_t corner[] = {0, 0}, where[] = {uint32_t(asked->x), uint32_t(asked->y)}, empty[4] = {};
    const uint16_t position = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
    xcb_configure_window(connection, window, position, corner);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, extents, XCB_ATOM_CARDINAL, 32, 4, empty);
    xcb_flush(connection);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    xcb_configure_window(connection, window, position, where);
}

// The stand-in: an EWMH check window named `name`, the frame request offered,
// each request answered after `delay` milliseconds; or, with a negative
// delay, as kwin on Wayland may do: the request not offered, and the frame
// told once a window is mapped, the window left where it stands, and below
// -1 first for -`delay` milliseconds at the screen's corner. It says "ready"
// once it is there, and the number of requests when its standard input
// closes.
int StandInWindowManager(const char *name, int delay)
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
    for (const xcb_window_t window : {root, check})
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, checkAtom, XCB_ATOM_WINDOW, 32, 1, &check);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, check, X11Atom(connection, "_NET_WM_NAME"),
                        X11Atom(connection, "UTF8_STRING"), 8, static_cast<uint32_t>(std::strlen(name)), name);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, X11Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM,
                        32, delay < 0 ? 0 : 1, &request);
    // The request is sent to the root for those who watch its children.
    const uint32_t watched = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &watched);
    xcb_flush(connection);
    StandInReady();

    int requests = 0;
    pollfd sources[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {0, POLLIN, 0}};
    while (sources[1].revents == 0 && !xcb_connection_has_error(connection)) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
            const auto *mapped = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            if (delay < 0 && (event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                if (delay < -1)
                    FirstAtTheCorner(connection, mapped->window, extents, -delay);
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, mapped->window, extents, XCB_ATOM_CARDINAL, 32,
                                    4, StandInFrame);
                xcb_flush(connection);
            }
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == request) {
                ++requests;
                std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, message->window, extents, XCB_ATOM_CARDINAL, 32,
                                    4, StandInFrame);
                xcb_flush(connection);
            }
            std::free(event);
        }
        poll(sources, 2, -1);
    }
    std::printf("%d\n", requests);
    xcb_disconnect(connection);
    return 0;
}

// The program's side: where the main window and the About window stood
// once the program no longer watches for their frame, as "X,Y X,Y".
int Report(int &argc, char *argv[], const QString &file)
{
    return PlayAsProgram(argc, argv, [file] {
        AboutForm->show();
        QTest::qWait(2500); // past the program's own watch for the frame
        AboutForm->hide();
        QFile report(file);
        if (!report.open(QIODevice::WriteOnly))
            qFatal("cannot write the report");
        for (const QWidget *window : {static_cast<QWidget *>(MainForm), static_cast<QWidget *>(AboutForm)})
            report.write(QString("%1,%2 ").arg(window->x()).arg(window->y()).toUtf8());
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
    // answer is not used to place it.
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("corners");
    QTest::newRow("answered at once") << "Openbox" << 0 << 2 << "408,317 451,412";
    QTest::newRow("answered too late") << "Silent" << 800 << 1 << "408,318 451,402";
    QTest::newRow("fluxbox, whose answer is wrong, not asked") << "Fluxbox" << 0 << 0 << "408,307 451,402";
    QTest::newRow("one that frames a window where it stands") << "KWin" << -1 << 0 << "408,318 451,412";
    QTest::newRow("the same, the window first at the corner") << "Mutter" << -300 << 0 << "408,318 451,412";
}

void FrameRequestTest::askedAndUsed()
{
    QFETCH(QString, name);
    QFETCH(int, delay);
    QFETCH(int, requests);
    QFETCH(QString, corners);
    QProcess windowManager;
    QVERIFY(StartStandIn(windowManager, {"--window-manager", name, QString::number(delay)}));

    const QTemporaryDir folder;
    const QString report = folder.filePath("report");
    const ProgramRun run = RunAsProgram({"--report", report});
    QVERIFY(StopStandIn(windowManager));
    QVERIFY2(run.ended && run.status == 0, qPrintable(run.errors));
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()).trimmed(), corners);
    QCOMPARE(windowManager.readAll().trimmed().toInt(), requests);
}

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--window-manager") == 0)
        return StandInWindowManager(argv[2], std::atoi(argv[3]));
    if (argc == 3 && qstrcmp(argv[1], "--report") == 0) {
        const QString file = QString::fromLocal8Bit(argv[2]);
        int count = 1;
        return Report(count, argv, file);
    }
    QCoreApplication application(argc, argv);
    FrameRequestTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FrameRequest.moc"
