// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Application.h"

#include "ui/AboutWindow.h"
#include "ui/CellButton.h"
#include "ui/CommandLine.h"
#include "ui/EndGameWindow.h"
#include "ui/MainWindow.h"
#include "ui/ScreenReader.h"
#include "ui/WindowSystem.h"

#include <QApplication>
#include <QFileInfo>
#include <QProxyStyle>

#include <algorithm>
#include <cmath>

namespace {

// Tooltips appear after half a second; each widget says how long it stays.
class TooltipTimingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 500;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The forms name the faces they were designed with; these installed faces
// have the same metrics and Cyrillic letters.
void SubstituteDesignFonts()
{
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial Cyr"), sans);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman Cyr"), serif);
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

} // namespace

int RunTelvir(int &argc, char *argv[], const std::function<void()> &beforeShow)
{
    if (const auto status = AnswerInformationOptions(argc, argv))
        return *status;
    PrepareEnvironment();
    const std::unique_ptr<QApplication> application = OpenWindowSystem(argc, argv);
    if (const auto status = RejectLeftoverArguments(QCoreApplication::arguments()))
        return *status;
    PrepareApplication(*application);
    TelvirWindows windows;
    if (beforeShow)
        beforeShow();
    MainForm->show();
    // Ask for the keyboard too: with no window manager nobody else gives it.
    MainForm->activateWindow();
    return application->exec();
}

void PrepareEnvironment()
{
    // The main window is laid out in pixels and never rescaled for the
    // screen's resolution, which the two small windows follow by themselves;
    // so Qt must not turn a resolution (Xft.dpi) into a scale. A scale the
    // desktop or the user sets is another thing: the platform enlarging every
    // pixel, which doubles every window whole. Our pictures are pixel art, so
    // it is rounded to a whole number.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    RoundScaleFactors("QT_SCALE_FACTOR");
    RoundScaleFactors("QT_SCREEN_SCALE_FACTORS");
    LeaveNoSessionBusBehind();
}

void PrepareApplication(QApplication &application)
{
    Q_INIT_RESOURCE(assets);
    // Only the application name: a display name would be appended to every
    // window title.
    QApplication::setApplicationName(QStringLiteral("Тельвир"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.telvir.Telvir"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/Telvir.bmp")));
    SubstituteDesignFonts();
    application.setStyle(new TooltipTimingStyle);
    CellButton::InstallAccessibility();
    InstallScreenReaderSupport();
}

TelvirWindows::TelvirWindows() : m_main(std::make_unique<TMainForm>())
{
    MainForm = m_main.get();
    EndGameForm = new TEndGameForm(MainForm);
    AboutForm = new TAboutForm(MainForm);
}

TelvirWindows::~TelvirWindows()
{
    MainForm = nullptr;
    EndGameForm = nullptr;
    AboutForm = nullptr;
}
