// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

class QApplication;

// Creates the application object, which opens the window system: on a
// Wayland desktop its X server unless the user chose otherwise (-platform,
// QT_QPA_PLATFORM), since the windows place themselves. Where no display can
// be opened, it says so in one line and ends the program with status 1.
std::unique_ptr<QApplication> OpenWindowSystem(int &argc, char *argv[]);
