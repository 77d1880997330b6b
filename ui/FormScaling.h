// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QScreen;
class QWidget;

// The result and About windows are laid out for 120 dots per inch and follow
// the screen's resolution: their default font grows or shrinks with it, and
// every position, size and font on them follows the change in that font's
// line height. (The main window is laid out in device pixels and never scaled.)

inline constexpr int DesignDpi = 120;

int ScaledFontPixels(int designPixels, int dpi);
int ScaledLength(int length, int lineHeight, int designLineHeight);
void ScaleForm(QWidget *form, int dpi);
// Makes a form just set up from its .ui file what the screen shows: its
// fonts in pixels, everything scaled for `dpi`.
void LayOutForResolution(QWidget *form, int dpi);

// The resolution the user chose for text (QT_FONT_DPI, or Xft.dpi on X11),
// or failing that the X server's own figure, which is what `Xvfb -dpi` and
// `xrandr --dpi` set (elsewhere the platform's); divided by the desktop's
// scale, which enlarges the whole window besides.
int ScreenDpi(const QScreen *screen);
