// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowSystem.h"

#include "app/CommandLine.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Without a display the toolkit (Qt 6.4, 6.8 and 6.11) ends the program with
// a fatal message that advises reinstalling it, and a core dump. While the
// application object is being created its messages are held back; a fatal
// one becomes one line that says what is wrong and what to do, and status
// 1, unless the command line has a mistake, which is reported as it would be
// with a display. Otherwise the messages are passed on afterwards.
class WindowSystemCheck {
public:
    WindowSystemCheck(int argc, char *argv[], const QString &windowSystem, const QString &display)
    {
        // Qt takes its options out of argv as it starts; the words stay.
        s_arguments.assign(argv, argv + argc);
        s_program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
        s_windowSystem = windowSystem;
        s_display = display;
        s_previous = qInstallMessageHandler(Hold);
    }
    ~WindowSystemCheck()
    {
        qInstallMessageHandler(s_previous);
        for (const Message &message : s_held)
            s_previous(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category), message.text);
        s_held.clear();
    }
    WindowSystemCheck(const WindowSystemCheck &) = delete;
    WindowSystemCheck &operator=(const WindowSystemCheck &) = delete;

private:
    struct Message {
        QtMsgType type;
        const char *category; // categories are static strings
        QString text;
    };

    static void Hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type != QtFatalMsg) {
            s_held.push_back({type, context.category, text});
            return;
        }
        if (const auto status = RejectUnknownOptions(static_cast<int>(s_arguments.size()), s_arguments.data()))
            std::_Exit(*status);
        QString problem;
        if (!s_windowSystem.isEmpty() && s_windowSystem != QLatin1String("xcb"))
            problem = QStringLiteral("cannot start the window system '%1'").arg(s_windowSystem);
        else if (s_display.isEmpty())
            problem = QStringLiteral("no display to open (DISPLAY is not set)");
        else
            problem = QStringLiteral("cannot open the display '%1'").arg(s_display);
        const QString advice =
            QStringLiteral("run it in a desktop session or over ssh -X, or give it a display of its own as telvir(6) "
                           "describes");
        std::fprintf(stderr, "%s: %s; %s.\n", qPrintable(s_program), qPrintable(problem), qPrintable(advice));
        std::fflush(stderr);
        std::_Exit(1);
    }

    static inline std::vector<char *> s_arguments;
    static inline QString s_program;
    static inline QString s_windowSystem;
    static inline QString s_display;
    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Message> s_held;
};

} // namespace

std::unique_ptr<QApplication> OpenWindowSystem(int &argc, char *argv[], const QString &windowSystem)
{
    const WindowSystemCheck check(argc, argv, windowSystem, ToolkitOption(argc, argv, "display", "DISPLAY"));
    return std::make_unique<QApplication>(argc, argv);
}

QString ToolkitOption(int argc, char *argv[], const char *name, const char *variable)
{
    for (int at = 1; at + 1 < argc; ++at) {
        const char *option = argv[at][0] == '-' && argv[at][1] == '-' ? argv[at] + 1 : argv[at];
        if (option[0] == '-' && qstrcmp(option + 1, name) == 0)
            return QString::fromLocal8Bit(argv[at + 1]);
    }
    return qEnvironmentVariable(variable);
}
