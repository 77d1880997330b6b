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
