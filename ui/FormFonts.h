// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// Our forms are drawn to the pixel, so their .ui files give font sizes in
// pixels. Designer can only store a point size, so that is where the pixel
// size is written; this turns every such size on the form into a real pixel
// size, so that text is the same size whatever the screen's resolution.
void UsePixelFontSizes(QWidget *form);
