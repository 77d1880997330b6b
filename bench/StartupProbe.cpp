// Starts either the game's windows or a bare Qt window with one button, and
// reports, once the window's first paint has reached the screen, the monotonic
// clock in nanoseconds and the resident memory in kilobytes, then exits.
// Usage: telvir-startup-probe game|bare

#include "ui/Application.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>
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
    void watch(QWidget *window)
    {
        window->winId(); // creates the native window, so its expose can be seen
        window->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed() && !Seen) {
            Seen = true;
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld %ld\n", now.tv_sec * 1000000000LL + now.tv_nsec, ResidentKilobytes());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool Seen = false;
};

// The bare window goes through the same steps as the game: application,
// window, show, event loop.
int RunBareWindow(int &argc, char *argv[], FirstFrame &firstFrame)
{
    QApplication application(argc, argv);
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("OK"), &window);
    button->move(10, 10);
    firstFrame.watch(&window);
    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    FirstFrame firstFrame;
    if (argc > 1 && std::strcmp(argv[1], "game") == 0)
        return RunTelvir(argc, argv, [&firstFrame] { firstFrame.watch(MainForm); });
    return RunBareWindow(argc, argv, firstFrame);
}
