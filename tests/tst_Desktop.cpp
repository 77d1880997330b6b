// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows on a real X server under a real window manager, which frames
// them after they are mapped: each must stand at the centre of the work area
// frame and all, come back exactly where it was left, and keep its size
// whatever the window manager is asked. Where they stand is read from the X
// server itself, since Qt has it from the window manager, which may tell it
// wrong.

#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"

#include <QProcess>
#include <QScreen>

namespace {

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The window without its frame as the X server has it; empty while unmapped,
// or while a compositing window manager is told to show it transparent.
QRect ClientOnScreen(const QWidget *window)
{
    const QString id = QString::number(window->winId());
    const QString info = Run("xwininfo", {"-id", id});
    const auto value = [&info](const char *name) {
        return QRegularExpression(QString(name) + R"(:\s+(-?\d+))").match(info).captured(1).toInt();
    };
    if (!info.contains("IsViewable") || Run("xprop", {"-id", id, "_NET_WM_WINDOW_OPACITY"}).contains("= 0\n"))
        return {};
    return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"));
}

// The window with its frame as the X server has it; empty while unmapped.
QRect FrameOnScreen(const QWidget *window)
{
    const QString id = QString::number(window->winId());
    const QRect client = ClientOnScreen(window);
    if (client.isEmpty())
        return {};
    QList<int> frame{0, 0, 0, 0}; // left, right, top, bottom
    const auto extents =
        QRegularExpression(R"(= (\d+), (\d+), (\d+), (\d+))").match(Run("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}));
    if (extents.hasMatch())
        frame = {extents.captured(1).toInt(), extents.captured(2).toInt(), extents.captured(3).toInt(),
                 extents.captured(4).toInt()};
    return client.adjusted(-frame[0], -frame[2], frame[1], frame[3]);
}

QString Describe(const QRect &frame)
{
    return QStringLiteral("frame %1×%2 at %3, %4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
}

// Once the window is framed: where it stands, which must not change from
// then on, and which is checked by `where` (empty if it never got there).
QString PlacedAt(const QWidget *window, const std::function<bool(QRect)> &where)
{
    QRect frame;
    if (!QTest::qWaitFor([&] {
            frame = FrameOnScreen(window);
            return !frame.isEmpty() && frame.size() != window->size();
        }))
        return "never framed: " + (frame.isEmpty() ? QString("not on screen") : Describe(frame));
    const QRect first = frame;
    QTest::qWait(200); // long enough for a window manager to move it again
    frame = FrameOnScreen(window);
    if (frame != first)
        return "moved from " + Describe(first) + " to " + Describe(frame);
    return where(frame) ? QString()
                        : Describe(frame) + " in the work area " + Describe(window->screen()->availableGeometry());
}

// Whether the screen shows the window's own pixels where it stands, as a
// compositing window manager may fail to (a dialog left black).
bool ShownAsDrawn(const QWidget *window)
{
    return QTest::qWaitFor([window] {
        QScreen *screen = window->screen();
        const QRect area = ClientOnScreen(window);
        const QImage own = screen->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        return !own.isNull() && own == shown;
    });
}

// Asks the window manager to maximise the window or make it full-screen, as a
// pager would: empty when it is back at its size and place soon after, or
// else where it stays.
QString RefusedState(const QWidget *window, const char *state)
{
    const QRect before = FrameOnScreen(window);
    Run("wmctrl", {"-i", "-r", QString::number(window->winId()), "-b", QString("add,") + state});
    QTest::qWait(300);
    if (QTest::qWaitFor([&] { return FrameOnScreen(window) == before; }, 2000))
        return {};
    return QString(state) + ": " + Describe(before) + " became " + Describe(FrameOnScreen(window));
}

} // namespace

class DesktopTest : public WindowTest {
    Q_OBJECT

private slots:
    void placedWithTheFrame();
    void sizeIsFixed();
};

void DesktopTest::placedWithTheFrame()
{
    const auto centred = [](const QWidget *window) {
        return [window](QRect frame) { return CentredIn(frame, window->screen()->availableGeometry()); };
    };
    const QString main = PlacedAt(MainForm, centred(MainForm));
    QVERIFY2(main.isEmpty(), qPrintable(main));

    const std::function<void()> open[] = {
        [] { QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier); },
        [] { ClickCommand("GiveUpButton"); },
    };
    // A desktop that attaches dialogs to their window (GNOME's) centres them
    // on it, and a dialog moved moves the window: there the main window is
    // moved instead.
    const bool attached = qEnvironmentVariableIsSet("TELVIR_DIALOGS_ATTACHED");
    for (const auto &show : open) {
        // Opened three times as the user left it, then moved and opened twice.
        QString seen;
        QRect left;
        for (int opening = 0; opening < 5; ++opening) {
            WhenModalShows([&](QDialog *modal) {
                const std::function<bool(QRect)> expected = [&](QRect frame) {
                    if (attached)
                        return CentredIn(frame, FrameOnScreen(MainForm));
                    return opening == 0 ? CentredIn(frame, modal->screen()->availableGeometry()) : frame == left;
                };
                seen = PlacedAt(modal, expected);
                if (seen.isEmpty() && !ShownAsDrawn(modal))
                    seen = "the screen does not show what the window drew";
                if (seen.isEmpty() || seen.startsWith("never framed"))
                    left = FrameOnScreen(modal);
                if (opening == 2) {
                    QWidget *moved = attached ? static_cast<QWidget *>(MainForm) : modal;
                    const QRect before = FrameOnScreen(moved);
                    moved->move(moved->pos() + QPoint(-37, 23)); // as the user leaves it
                    QVERIFY(QTest::qWaitFor([&] { return FrameOnScreen(moved) != before; }));
                    QTest::qWait(100);
                    left = FrameOnScreen(modal);
                }
                ClickOk(modal);
            });
            seen = "not shown";
            show();
            QTRY_VERIFY(seen != "not shown");
            QVERIFY2(seen.isEmpty(), qPrintable(QString("opening %1: %2").arg(opening + 1).arg(seen)));
            QVERIFY(QTest::qWaitForWindowActive(MainForm));
        }
    }
}

void DesktopTest::sizeIsFixed()
{
    const char *const states[] = {"maximized_vert,maximized_horz", "fullscreen"};
    QVERIFY(QTest::qWaitFor([] { return !FrameOnScreen(MainForm).isEmpty(); }));
    for (const char *state : states) {
        const QString kept = RefusedState(MainForm, state);
        QVERIFY2(kept.isEmpty(), qPrintable(kept));
    }

    std::optional<QString> kept;
    WhenModalShows([&](QDialog *modal) {
        QString seen = QTest::qWaitFor([modal] { return !FrameOnScreen(modal).isEmpty(); }) ? "" : "never shown";
        for (const char *state : states)
            seen += RefusedState(modal, state);
        kept = seen;
        ClickOk(modal);
    });
    QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(kept.has_value(), 10000);
    QVERIFY2(kept->isEmpty(), qPrintable(*kept));
}

TELVIR_TEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
