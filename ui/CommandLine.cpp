// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

const QCommandLineOption HelpOption({"h", "help", "?"}, QStringLiteral("Show this help and exit."));
const QCommandLineOption VersionOption({"v", "version"}, QStringLiteral("Show the version and exit."));

QString ProgramName(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("telvir") : QFileInfo(arguments.first()).fileName();
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

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

std::optional<int> AnswerInformationOptions(int argc, char *argv[])
{
    QStringList arguments;
    for (int at = 0; at < argc; ++at)
        arguments << QString::fromLocal8Bit(argv[at]);
    QCommandLineParser parser;
    DescribeOptions(parser);
    // The toolkit's options are unknown here; they are checked once the
    // application has taken them out.
    parser.parse(arguments);
    if (parser.isSet(HelpOption)) {
        // Without an application object Qt cannot know the program's name.
        Print(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), ProgramName(arguments)));
        return 0;
    }
    if (parser.isSet(VersionOption)) {
        Print(stdout, QStringLiteral("Тельвир (%1) %2\n").arg(ProgramName(arguments), QStringLiteral(TELVIR_VERSION)));
        return 0;
    }
    return std::nullopt;
}

std::optional<int> RejectLeftoverArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    DescribeOptions(parser);
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
