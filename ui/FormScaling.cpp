// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FormScaling.h"

#include "ui/FormFonts.h"

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <cmath>

#if TELVIR_HAVE_XCB
#include "ui/X11.h"
#endif

namespace {

// The dots per inch for text on X11: Xft.dpi in the X resource database,
// where the desktop or the user set it, or else the X server's own figure
// from its root screen's size, which is what `Xvfb -dpi` and `xrandr --dpi`
// set; 0 off X11.
int X11Dpi()
{
#if TELVIR_HAVE_XCB
    xcb_connection_t *connection = X11Connection();
    if (!connection)
        return 0;
    const xcb_screen_t *screen = X11RootScreen(connection);
    const QByteArray resources = TextProperty(connection, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING);
    const QByteArray name = "Xft.dpi:";
    for (const QByteArray &line : resources.split('\n')) {
        bool number = false;
        const double dpi = line.startsWith(name) ? line.mid(name.size()).trimmed().toDouble(&number) : 0;
        if (number && dpi > 0)
            return static_cast<int>(std::lround(dpi));
    }
    if (screen->height_in_millimeters > 0)
        return static_cast<int>(std::lround(screen->height_in_pixels * 25.4 / screen->height_in_millimeters));
#endif
    return 0;
}

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
