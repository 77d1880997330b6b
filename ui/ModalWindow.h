// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Desktop.h"
#include "ui/Legibility.h"

#include <QDialog>

// What the result and About windows have in common: a fixed size that follows
// the screen's resolution, a close box only, centred on the screen the first
// time they are shown and left where the user put them after that, and no
// cancel key, since neither has a cancel button.
class ModalWindow : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    int exec() override;
    void done(int result) override;
    void setVisible(bool visible) override;

    // True from the moment either window is shown until its modal call has
    // returned, which is a little longer than it is visible.
    static bool isAnyOpen() { return s_running > 0; }

protected:
    // To be called by each window once its form has been set up.
    void FinishForm();
    // Shows a label in a player's colour, legibly on the colour scheme.
    void SetTextColour(QWidget *label, const QColor &colour) { m_texts.SetColour(label, colour); }

    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FollowScheme() { m_texts.Refresh(); }

    WindowPlacement m_placement;
    LegibleTexts m_texts;
    static inline int s_running = 0;
};
