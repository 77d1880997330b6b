// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class QApplication;

// Creates the application object, which opens the window system chosen
// before (PrepareEnvironment). Where no display can be opened, it says so in
// one line and ends the program with status 1.
std::unique_ptr<QApplication> OpenWindowSystem(int &argc, char *argv[], const QString &windowSystem);

// The value of one of the toolkit's options, `-name value` or `--name value`,
// or else of the environment variable that stands in for it.
QString ToolkitOption(int argc, char *argv[], const char *name, const char *variable);
