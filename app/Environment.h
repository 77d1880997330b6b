// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What the program sets before the application object exists, since Qt
// reads it only then: the window system to open, how a desktop's scale and
// resolution are taken, and the session bus. Returns the window system that
// will be tried (empty where Qt is left to choose).
QString PrepareEnvironment(int argc, char *argv[]);
