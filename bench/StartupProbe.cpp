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
#include <memory>
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

} // namespace

int main(int argc, char *argv[])
{
    const bool game = argc > 1 && std::strcmp(argv[1], "game") == 0;
    if (game)
        PrepareEnvironment();
    QApplication application(argc, argv);
    std::unique_ptr<TelvirWindows> windows;
    std::unique_ptr<QWidget> bare;
    QWidget *window = nullptr;
    if (game) {
        PrepareApplication(application);
        windows = std::make_unique<TelvirWindows>();
        window = MainForm;
    } else {
        bare = std::make_unique<QWidget>();
        auto *button = new QPushButton(QStringLiteral("OK"), bare.get());
        button->move(10, 10);
        window = bare.get();
    }
    FirstFrame firstFrame;
    window->winId(); // creates the native window, so its expose can be watched
    window->windowHandle()->installEventFilter(&firstFrame);
    window->show();
    return application.exec();
}
