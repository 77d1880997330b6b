// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include <optional>

// The program's own options are --help and --version. Everything else that
// may stand on its command line belongs to the toolkit (-platform, -display,
// -style, ...), and QApplication takes that out of argv as it starts.

// Answers --help and --version before the application object exists, so they
// work without a display. Returns the exit status when one was answered: 0,
// or 1 when the answer could not be written.
std::optional<int> AnswerInformationOptions(int argc, char *argv[]);

// Once the application has taken the toolkit's options, whatever is left is
// a mistake: reports it and returns the exit status.
std::optional<int> RejectLeftoverArguments(const QStringList &arguments);

// The same before the application exists, where it cannot: anything that is
// neither the program's option nor one the toolkit knows. For where the
// toolkit cannot start, so that a mistake is reported the same either way.
std::optional<int> RejectUnknownOptions(int argc, char *argv[]);
