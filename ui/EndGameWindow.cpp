// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EndGameWindow.h"

#include "MainWindow.h"
#include "Text.h"

TEndGameForm *EndGameForm = nullptr;

TEndGameForm::TEndGameForm(QWidget *parent) : ModalWindow(parent)
{
    Ui.setupUi(this);
    FinishForm();
}

void TEndGameForm::ShowResult(const QString &text, Rgb colour)
{
    Ui.GameResultMsg->setText(text);
    SetTextColour(Ui.GameResultMsg, colour);
    exec();
}

void TEndGameForm::FormClose()
{
    MainForm->NewGame();
}
