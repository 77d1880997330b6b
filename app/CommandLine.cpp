// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QCommandLineOption HelpOption({"h", "help", "?"}, QStringLiteral("Show this help and exit."));
const QCommandLineOption VersionOption({"v", "version"}, QStringLiteral("Show the version and exit."));

QString ProgramName(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("telvir") : QFileInfo(arguments.first()).fileName();
}

// The toolkit's own options (Qt 6's and its X11 platform's), for telling
// them from mistakes before the toolkit has started, which it cannot do
// without a display.
void DescribeToolkitOptions(QCommandLineParser &parser)
{
    const char *const withValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin",      "display", "geometry", "qwindowgeometry",
        "title",    "qwindowtitle",       "icon",          "qwindowicon", "name",    "visual",   "session",
        "style",    "stylesheet",         "qmljsdebugger"};
    const char *const flags[] = {"reverse", "sync", "nograb", "dograb", "widgetcount", "testability"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The same words whether or not an application object exists yet.
void DescribeOptions(QCommandLineParser &parser)
{
    // -platform and -display are single words, not bundled letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Тельвир (Telvir): a board game for two players who share one computer and one mouse.\n"
                       "\n"
                       "The toolkit's own options work as well, among them -platform NAME, -display DISPLAY,\n"
                       "-style NAME and -reverse; the manual page telvir(6) lists them."));
    parser.addOption(HelpOption);
    parser.addOption(VersionOption);
}

// False when the text could not be written, as into a full device.
bool Print(std::FILE *stream, const QString &text)
{
    const bool written = std::fputs(text.toLocal8Bit().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}

// Answers with the text on standard output: status 0, or 1 if it could not
// be written, which is said on standard error.
int Answer(const QString &text, const QString &program)
{
    if (Print(stdout, text))
        return 0;
    const int error = errno;
    Print(stderr, QStringLiteral("%1: write error: %2\n").arg(program, QString::fromLocal8Bit(std::strerror(error))));
    return 1;
}

QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int at = 0; at < argc; ++at)
        arguments << QString::fromLocal8Bit(argv[at]);
    return arguments;
}

// Reports the first argument that the parser does not take, if any.
std::optional<int> RejectMistakes(QCommandLineParser &parser, const QStringList &arguments)
{
    QString mistake;
    if (!parser.parse(arguments))
        mistake = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    else
        return std::nullopt;
    const QString program = ProgramName(arguments);
    Print(stderr, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, mistake));
    return 2;
}

} // namespace

std::optional<int> AnswerInformationOptions(int argc, char *argv[])
{
    const QStringList arguments = Arguments(argc, argv);
    QCommandLineParser parser;
    DescribeOptions(parser);
    // The toolkit's options are unknown here; they are checked once the
    // application has taken them out.
    parser.parse(arguments);
    if (parser.isSet(HelpOption)) {
        // Without an application object Qt cannot know the program's name.
        const QString program = ProgramName(arguments);
        return Answer(parser.helpText().replace(QStringLiteral("<executable_name>"), program), program);
    }
    if (parser.isSet(VersionOption)) {
        const QString program = ProgramName(arguments);
        return Answer(QStringLiteral("Тельвир (%1) %2\n").arg(program, QStringLiteral(TELVIR_VERSION)), program);
    }
    return std::nullopt;
}

std::optional<int> RejectLeftoverArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    return RejectMistakes(parser, arguments);
}

std::optional<int> RejectUnknownOptions(int argc, char *argv[])
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    DescribeToolkitOptions(parser);
    return RejectMistakes(parser, Arguments(argc, argv));
}
