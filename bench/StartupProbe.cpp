// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts either the game's windows or a bare Qt window with one button, and
// reports, once the window's first paint has reached the screen, the monotonic
// clock in nanoseconds and the resident memory in kilobytes, then exits.
// With "clicks" it plays the cell clicks and Move of one move many times over
// instead, and reports the median time, in nanoseconds, from a click to its
// repaint having been handed to the window system.
// Usage: telvir-startup-probe game|bare|clicks

#include "bench/Clock.h"

#include "app/Application.h"
#include "ui/CellButton.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <vector>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

// Widgets paint synchronously while an expose event is handled, so the first
// turn of the event loop after the first expose finds the frame complete.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(std::function<void()> then) : m_then(std::move(then)) {}

    void Watch(QWidget *window)
    {
        window->winId(); // creates the native window, so its expose can be seen
        window->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed() && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, m_then);
        }
        return false;
    }

private:
    std::function<void()> m_then;
    bool m_seen = false;
};

void ReportFirstFrame()
{
    const long long now = Now();
    std::printf("%lld %ld\n", now, ResidentKilobytes());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

// One click through the window system, then the repaint it asked for.
long long TimedClick(QWidget *control)
{
    QWindow *window = MainForm->windowHandle();
    const QPoint where = control->mapTo(MainForm, control->rect().center());
    const long long started = Now();
    QTest::mouseClick(window, Qt::LeftButton, {}, where);
    QCoreApplication::processEvents();
    return Now() - started;
}

void ReportClickTimes()
{
    auto *move = MainForm->findChild<QWidget *>(QStringLiteral("MoveButton"));
    std::vector<long long> times;
    for (int round = 0; round < 300; ++round) {
        MainForm->NewGame();
        QCoreApplication::processEvents();
        times.push_back(TimedClick(MainForm->cellButton({3, 3})));
        times.push_back(TimedClick(MainForm->cellButton({5, 3})));
        times.push_back(TimedClick(move));
        if (MainForm->state().Board[Cell{4, 3}.index()] != 1) {
            std::fprintf(stderr, "the clicks did not make the move\n");
            QCoreApplication::exit(1);
            return;
        }
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    std::printf("%lld\n", times[times.size() / 2]);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

// The bare window goes through the same steps as the game: application,
// window, show, event loop.
int RunBareWindow(int &argc, char *argv[], FirstFrame &firstFrame)
{
    QApplication application(argc, argv);
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("OK"), &window);
    button->move(10, 10);
    firstFrame.Watch(&window);
    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "bare";
    FirstFrame firstFrame(mode == "clicks" ? ReportClickTimes : ReportFirstFrame);
    // The mode is the probe's own argument, not the program's.
    int count = 1;
    if (mode == "bare")
        return RunBareWindow(count, argv, firstFrame);
    return RunTelvir(count, argv, [&firstFrame] { firstFrame.Watch(MainForm); });
}
