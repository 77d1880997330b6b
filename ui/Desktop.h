// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>

class QTimer;
class QWidget;

// What the desktop the windows run on adds to them: the window manager's
// frame, its work area and its idea of maximising. (The resolution the
// windows follow is FormScaling's.)

// Where a top-level window appears each time it is shown: the first time at
// the centre of its screen's work area (the screen less panels and docks),
// frame and all, and from then on exactly where it was when it was last
// hidden, which is where the user left it. The window's setVisible() hands
// over to SetVisible() with its base class's own.
class WindowPlacement {
public:
    void SetVisible(QWidget *window, bool visible, const std::function<void(bool)> &setVisible);

private:
    void Show(QWidget *window, const std::function<void()> &show);

    std::optional<QPoint> m_lastCorner; // of the window without its frame
    QPointer<QTimer> m_settling;        // the watch for the frame, while it lasts
};

// A window of fixed size is never maximised or made full-screen, whoever
// asks; some window managers obey such a request anyway, so the window puts
// itself back. To be called from the window's changeEvent().
void KeepNormalSize(QWidget *window);
