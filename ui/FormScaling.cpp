// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FormScaling.h"

#include "ui/Desktop.h"
#include "ui/FormFonts.h"

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <cmath>

int ScaledFontPixels(int designPixels, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(designPixels) * dpi / DesignDpi));
}

int ScaledLength(int length, int lineHeight, int designLineHeight)
{
    return static_cast<int>(std::lround(static_cast<double>(length) * lineHeight / designLineHeight));
}

void ScaleForm(QWidget *form, int dpi)
{
    const QFont designFont = form->font();
    QFont screenFont = designFont;
    screenFont.setPixelSize(ScaledFontPixels(designFont.pixelSize(), dpi));
    const int designHeight = QFontMetrics(designFont).height();
    const int screenHeight = QFontMetrics(screenFont).height();
    const auto scaled = [&](int length) { return ScaledLength(length, screenHeight, designHeight); };

    for (QWidget *control : form->findChildren<QWidget *>()) {
        const QRect area = control->geometry();
        control->setGeometry(scaled(area.x()), scaled(area.y()), scaled(area.width()), scaled(area.height()));
        if (control->testAttribute(Qt::WA_SetFont)) {
            QFont font = control->font();
            font.setPixelSize(scaled(font.pixelSize()));
            control->setFont(font);
        }
    }
    form->setFont(screenFont);
    form->setFixedSize(scaled(form->width()), scaled(form->height()));
}

void LayOutForResolution(QWidget *form, int dpi)
{
    UsePixelFontSizes(form);
    ScaleForm(form, dpi);
}

int ScreenDpi(const QScreen *screen)
{
    // The figure set is undivided by the desktop's scale, and the forms
    // follow the divided one: 192 dots per inch at a scale of 2 lay a form
    // out as 96 would at a scale of 1. Qt's own figure serves only where
    // nothing else tells the resolution: Qt 6.4 divides it by a screen's
    // scale but not by QT_SCALE_FACTOR, and reports 96 both when nothing set
    // a resolution and when the user chose 96.
    const qreal scale = screen->devicePixelRatio();
    int chosen = qEnvironmentVariableIntValue("QT_FONT_DPI");
    if (chosen <= 0)
        chosen = X11Dpi();
    if (chosen <= 0)
        chosen = static_cast<int>(std::lround(screen->logicalDotsPerInchY() * scale));
    return static_cast<int>(std::lround(chosen / scale));
}
