// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AboutWindow.h"

#include "ui_AboutWindow.h"

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *parent) : ModalWindow(parent), m_ui(std::make_unique<Ui::TAboutForm>())
{
    m_ui->setupUi(this);
    FinishForm();
}

TAboutForm::~TAboutForm() = default;

#include "moc_AboutWindow.cpp"
