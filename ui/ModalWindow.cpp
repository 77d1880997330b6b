// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ModalWindow.h"

#include "ui/Desktop.h"
#include "ui/FormFonts.h"
#include "ui/FormScaling.h"

#include <QKeyEvent>

void ModalWindow::FinishForm()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    UsePixelFontSizes(this);
    ScaleForm(this, ScreenDpi(screen()));
}

int ModalWindow::exec()
{
    ++s_running;
    const int result = QDialog::exec();
    --s_running;
    return result;
}

void ModalWindow::done(int result)
{
    QDialog::done(result);
    // Hand the keyboard back to the main window, whose focused control is
    // still the one that had the focus before; without a window manager
    // nobody else would.
    if (QWidget *owner = parentWidget())
        owner->activateWindow();
}

void ModalWindow::showEvent(QShowEvent *event)
{
    // Placing it also tells QDialog not to re-centre it at the next showing.
    CentreOnFirstShowing(this);
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
