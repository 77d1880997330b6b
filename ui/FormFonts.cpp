// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FormFonts.h"

#include <QWidget>

namespace {

void UsePixelFontSize(QWidget *widget)
{
    QFont font = widget->font();
    if (widget->testAttribute(Qt::WA_SetFont) && font.pointSize() > 0) {
        font.setPixelSize(font.pointSize());
        widget->setFont(font);
    }
}

} // namespace

void UsePixelFontSizes(QWidget *form)
{
    // Parents come before their children in this order, so a child that only
    // changes the weight inherits its parent's size already in pixels.
    UsePixelFontSize(form);
    for (QWidget *child : form->findChildren<QWidget *>())
        UsePixelFontSize(child);
}
