#include "ModalWindow.h"

#include "FormFonts.h"
#include "FormScaling.h"

#include <QKeyEvent>
#include <QScreen>

void ModalWindow::FinishForm()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    UsePixelFontSizes(this);
    ScaleForm(this, ScreenDpi(screen()));
}

void ModalWindow::showEvent(QShowEvent *event)
{
    // An explicit move also tells QDialog not to re-centre the window at the
    // next showing, so it comes back wherever the user left it.
    if (!Placed) {
        move(screen()->availableGeometry().center() - rect().center());
        Placed = true;
    }
    QDialog::showEvent(event);
}

void ModalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
