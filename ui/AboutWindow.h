// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ModalWindow.h"
#include "ui_AboutWindow.h"

class TAboutForm : public ModalWindow {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);

private:
    Ui::TAboutForm Ui;
};

extern TAboutForm *AboutForm;
