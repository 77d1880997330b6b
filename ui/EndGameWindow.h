// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"
#include "ui/ModalWindow.h"

#include <memory>

namespace Ui {
class TEndGameForm;
}

// Names the winner; closing it, however that is done, starts the next game.
class TEndGameForm : public ModalWindow {
    Q_OBJECT

public:
    explicit TEndGameForm(QWidget *parent = nullptr);
    ~TEndGameForm() override;

    // Shows the text modally and returns once the window is closed.
    void ShowResult(const QString &text, Rgb colour);

public slots:
    void FormClose();

private:
    std::unique_ptr<Ui::TEndGameForm> m_ui;
};

extern TEndGameForm *EndGameForm;
