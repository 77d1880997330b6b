#include "AboutWindow.h"

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *parent) : ModalWindow(parent)
{
    Ui.setupUi(this);
    FinishForm();
}
