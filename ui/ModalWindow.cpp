// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ModalWindow.h"

#include "ui/FormScaling.h"

#include <QKeyEvent>

void ModalWindow::FinishForm()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    LayOutForResolution(this, ScreenDpi(screen()));
    m_texts.Adopt(this);
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

void ModalWindow::setVisible(bool visible)
{
    // Placing it also tells QDialog not to centre it on the main window:
    // QDialog (6.4 to 6.11) centres only a dialog that was never moved.
    m_placement.SetVisible(this, visible, [this](bool shown) { QDialog::setVisible(shown); });
}

void ModalWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        KeepNormalSize(this);
    // Once the controls have taken the new colours, after the window.
    if (IsSchemeChange(event))
        QMetaObject::invokeMethod(this, &ModalWindow::FollowScheme, Qt::QueuedConnection);
    QDialog::changeEvent(event);
}

void ModalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

#include "moc_ModalWindow.cpp"
