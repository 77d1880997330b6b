// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/EndGameWindow.h"

#include "ui/MainWindow.h"
#include "ui/Text.h"
#include "ui_EndGameWindow.h"

TEndGameForm *EndGameForm = nullptr;

TEndGameForm::TEndGameForm(QWidget *parent) : ModalWindow(parent), m_ui(std::make_unique<Ui::TEndGameForm>())
{
    m_ui->setupUi(this);
    FinishForm();
}

TEndGameForm::~TEndGameForm() = default;

void TEndGameForm::ShowResult(const QString &text, Rgb colour)
{
    m_ui->GameResultMsg->setText(text);
    // A screen reader reads a window's short texts only as its description.
    setAccessibleDescription(text);
    SetTextColour(m_ui->GameResultMsg, ToQColor(colour));
    exec();
}

void TEndGameForm::FormClose()
{
    MainForm->NewGame();
}

#include "moc_EndGameWindow.cpp"
