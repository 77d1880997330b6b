// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// What the desktop the windows run on adds to them: the window manager's
// frame, and the resolution the X server reports for its screen.

// Centres the window, with the frame its window manager will give it, on its
// screen, unless it has been placed already; to be called as it is first
// shown, before it is mapped. Once placed, Qt keeps a window where the user
// left it from one showing to the next.
void CentreOnFirstShowing(QWidget *window);

// The X server's dots per inch from its root screen's size, which is what
// `Xvfb -dpi` and `xrandr --dpi` set; 0 off X11.
int X11ServerDpi();
