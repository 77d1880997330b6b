// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/ModalWindow.h"

#include <memory>

namespace Ui {
class TAboutForm;
}

class TAboutForm : public ModalWindow {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

private:
    std::unique_ptr<Ui::TAboutForm> m_ui;
};

extern TAboutForm *AboutForm;
