// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <QAbstractButton>
#include <QPixmap>

// One cell of the board: a two-state picture button that stays pressed.
// The click semantics are QAbstractButton's own: a left click emits clicked()
// once, a release away from the button cancels, the other mouse buttons are
// ignored, and setChecked() never emits clicked(). A click does not flip the
// state itself, though: the main window does, once the rules have answered
// the click, so that a cell changes once or not at all, and a screen reader
// hears of real changes only (setChecked() tells it of each).
class CellButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit CellButton(QWidget *parent = nullptr);

    // Position in the run SpeedButton0 .. SpeedButton63, row by row.
    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    QSize sizeHint() const override;

    // Makes every cell button speak for itself to assistive technology: its
    // name says where it is and what it holds, its state whether it is
    // pressed, and its one action, "press", is a left click. (The rest of
    // what a screen reader is told is in ScreenReader.h.)
    static void InstallAccessibility();

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override {}

private:
    int m_number = -1;
    QPixmap m_picture;
};

int CellColumn(const CellButton &button);
int CellRow(const CellButton &button);
Cell CellOf(const CellButton &button);
