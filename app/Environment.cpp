// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Environment.h"

#include "app/DesktopScale.h"
#include "app/WindowSystem.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSize>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The windows must place themselves, which Wayland does not let a client do,
// so a Wayland desktop's X server is used whenever it has one, unless the
// user chose otherwise.
QString ChooseWindowSystem(int argc, char *argv[])
{
    QString chosen = ToolkitOption(argc, argv, "platform", "QT_QPA_PLATFORM");
    if (chosen.isEmpty() && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        chosen = QStringLiteral("xcb");
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    return chosen;
}

// Rounds every factor in a variable that holds one ("1.5") or one a screen
// ("1.5;1" or "HDMI-1=1.5;DP-1=1") to the nearest whole number, as Qt's Round
// policy does for the factors it works out itself.
void RoundScaleFactors(const char *variable)
{
    if (!qEnvironmentVariableIsSet(variable))
        return;
    QStringList factors = qEnvironmentVariable(variable).split(u';');
    for (QString &factor : factors) {
        const qsizetype value = factor.indexOf(u'=') + 1;
        bool number = false;
        const double scale = factor.mid(value).toDouble(&number);
        if (number)
            factor = factor.left(value) + QString::number(std::max(1L, std::lround(scale)));
    }
    qputenv(variable, factors.join(u';').toLocal8Bit());
}

// Without a session bus, the D-Bus library would start one for the display
// (dbus-launch --autolaunch) the first time Qt looks for one, and that bus
// would outlive the game. No screen reader finds the game then: Qt's bridge
// looks for the accessibility bus through the session bus only, so a player
// with a screen reader starts the game inside the desktop session.
void LeaveNoSessionBusBehind()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && (runtime.isEmpty() || !QFileInfo(runtime + QStringLiteral("/bus")).exists()))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// The main window as its form lays it out, menu bar included.
constexpr QSize MainWindowSize(464, 409);

// The scale GNOME publishes on X11, through its XSETTINGS manager alone,
// where the main window still fits on the screen at that scale: a larger one
// comes from a broken or hostile settings manager (at 40 the window would
// take a gigabyte, and at 1000 Qt cannot paint it), and the game goes on as
// if none were published.
void TakeDesktopScale(const QString &display, const QString &program)
{
    const PublishedScale desktop = X11DesktopScale(display);
    if (desktop.scale == 1)
        return;
    if (qint64(MainWindowSize.width()) * desktop.scale > desktop.screen.width()
        || qint64(MainWindowSize.height()) * desktop.scale > desktop.screen.height()) {
        std::fprintf(stderr,
                     "%s: the desktop's scale %d is ignored, since the main window would not fit on its "
                     "%dx%d screen.\n",
                     qPrintable(program), desktop.scale, desktop.screen.width(), desktop.screen.height());
        return;
    }
    qputenv("QT_SCALE_FACTOR", QByteArray::number(desktop.scale));
}

// The main window is laid out in pixels and never rescaled for the screen's
// resolution, which the two small windows follow by themselves; so Qt must
// not turn a resolution (Xft.dpi) into a scale. A scale the desktop or the
// user sets is another thing: the platform enlarging every pixel, which
// doubles every window whole. On Wayland that is the output's scale, which
// Qt's high-DPI scaling reads. Our pictures are pixel art, so a scale is
// rounded to a whole number. On X11 a scale the user gave Qt comes before
// the desktop's.
void TakeScaleNotResolution(const QString &windowSystem, const QString &display, const QString &program)
{
    if (windowSystem.startsWith(QLatin1String("wayland")))
        qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
    else
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (windowSystem == QLatin1String("xcb") && !qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
        && !qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS"))
        TakeDesktopScale(display, program);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    RoundScaleFactors("QT_SCALE_FACTOR");
    RoundScaleFactors("QT_SCREEN_SCALE_FACTORS");
}

} // namespace

QString PrepareEnvironment(int argc, char *argv[])
{
    const QString windowSystem = ChooseWindowSystem(argc, argv);
    TakeScaleNotResolution(windowSystem, ToolkitOption(argc, argv, "display", "DISPLAY"),
                           QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    LeaveNoSessionBusBehind();
    return windowSystem;
}
