// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QPointer>

#include <vector>

class QEvent;
class QWidget;

// The design's colours were chosen for the light window of its day, and the
// windows take their background from the desktop's colour scheme. Each text
// and picture keeps its colour wherever it stands out enough against what is
// behind it (WCAG 2.1: 4.5:1 for text, 3:1 for large text and for the parts
// of a picture that carry meaning), so a light scheme shows exactly the
// design; on a dark or high-contrast one the colours give way, and texts
// then go on to AAA (7:1, and 4.5:1 for large text) where they can.

// WCAG 2.1's contrast ratio of two colours, from 1 to 21.
double ContrastRatio(const QColor &first, const QColor &second);

// The colour with its hue and saturation kept, lightened or darkened just as
// far as `background` needs for `needed`.
QColor LegibleColour(const QColor &design, const QColor &background, double needed);

// The picture with each colour made legible against `face` at 3:1.
QPixmap LegiblePicture(const QPixmap &picture, const QColor &face);

// The colours a cell's frames and a pressed cell's checkerboard are drawn
// in: the scheme's own where its frames set a cell off from its face, and a
// pressed cell off from a released one, at 3:1, as a light scheme's do.
// Elsewhere the light edge, which also checkers a pressed face, is made to
// stand out from the face, which does both.
QPalette LegibleBevel(QPalette colours);

// Whether the desktop's colours changed, as a window's changeEvent() hears.
bool IsSchemeChange(const QEvent *event);

// The texts of one window. Adopt() takes the text colours its form gives
// (the design's black); SetColour() gives a label a player's colour; both
// show them legibly on the scheme at hand, and Refresh() does so again once
// the scheme has changed. The design's black gives way to the scheme's own
// text colour, a player's colour keeps its hue. A widget has one text
// colour of its own, for its window or its buttons.
class LegibleTexts {
public:
    void Adopt(QWidget *form);
    void SetColour(QWidget *label, const QColor &design);
    void Refresh();

private:
    struct Text {
        QPointer<QWidget> widget;
        QPalette::ColorRole role; // WindowText or ButtonText
        QColor design;
        bool playerColour;
    };
    static void Show(const Text &text);

    std::vector<Text> m_texts;
};
