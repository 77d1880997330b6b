// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

class QApplication;
class TMainForm;

// Start-up shared by the program and by everything that drives its windows
// (tests, benchmarks), so they all see the same fonts, timing and windows.

// The whole program: start-up, the three windows and the event loop; returns
// the exit status. `beforeShow` lets tests and benchmarks look in once the
// windows exist, before the main window first appears.
int RunTelvir(int &argc, char *argv[], const std::function<void()> &beforeShow = {});

// Right after the application object has been created (what is set before
// it exists is in Environment.h).
void PrepareApplication(QApplication &application);

// The three windows, created in order and living as long as this object;
// the global references MainForm, EndGameForm and AboutForm point at them.
class TelvirWindows {
public:
    TelvirWindows();
    ~TelvirWindows();
    TelvirWindows(const TelvirWindows &) = delete;
    TelvirWindows &operator=(const TelvirWindows &) = delete;

private:
    std::unique_ptr<TMainForm> m_main;
};
