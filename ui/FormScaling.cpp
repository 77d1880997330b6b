// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FormScaling.h"

#include "ui/Desktop.h"
#include "ui/FormFonts.h"

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

// Qt reports this when nothing has set a resolution for text.
constexpr int UnsetDpi = 96;

} // namespace

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
    // Qt divides the resolution by the desktop's scale; what was set is the
    // undivided figure, and the forms follow the divided one: 192 dots per
    // inch at a scale of 2 lay a form out as 96 would at a scale of 1.
    const qreal scale = screen->devicePixelRatio();
    int chosen = static_cast<int>(std::lround(screen->logicalDotsPerInchY() * scale));
    if (chosen == UnsetDpi) {
        const int server = X11ServerDpi();
        chosen = server > 0 ? server : chosen;
    }
    return static_cast<int>(std::lround(chosen / scale));
}
