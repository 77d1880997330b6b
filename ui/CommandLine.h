// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include <optional>

// The program's own options are --help and --version. Everything else that
// may stand on its command line belongs to the toolkit (-platform, -display,
// -style, ...), and QApplication takes that out of argv as it starts.

// Answers --help and --version before the application object exists, so they
// work without a display. Returns the exit status when one was answered.
std::optional<int> AnswerInformationOptions(int argc, char *argv[]);

// Once the application has taken the toolkit's options, whatever is left is
// a mistake: reports it and returns the exit status.
std::optional<int> RejectLeftoverArguments(const QStringList &arguments);
