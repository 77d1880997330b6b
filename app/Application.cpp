// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/Environment.h"
#include "app/WindowSystem.h"
#include "ui/AboutWindow.h"
#include "ui/CellButton.h"
#include "ui/EndGameWindow.h"
#include "ui/MainWindow.h"
#include "ui/ScreenReader.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleHints>
#include <QStyleOption>

namespace {

// The desktop's style, but for two things. Tooltips appear after half a
// second; each widget says how long it stays. A push button that has the
// keyboard's focus shows a dotted frame in its text colour, which stands
// out from its face as its text does, whatever the scheme: a style's own
// focus ring need not (Fusion's stands out 2.3:1 from a light face, and a
// default button looks the same with the focus as without).
class TelvirStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 500;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus))
            return;
        QPen dotted(option->palette.color(QPalette::ButtonText), 1, Qt::CustomDashLine);
        dotted.setDashPattern({1, 1});
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(dotted);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(subElementRect(SE_PushButtonFocusRect, option, widget).adjusted(0, 0, -1, -1));
        painter->restore();
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

// GNOME's dark style reaches Qt 6.5 and later (6.8 in Debian 13) only as
// the colour scheme Qt reports, read from the desktop portal, while the
// palette stays light; a GNOME application is dark then, so the game takes
// a dark palette, and the desktop's own again when the style goes back.
// Qt 6.4 does not report the style, and its palette is all there is.
void FollowDarkStyle()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const auto follow = [] {
        static bool s_darkened = false;
        const bool dark = QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark;
        if (dark && !s_darkened && QGuiApplication::palette().color(QPalette::Window).lightness() > 128) {
            const QColor window(53, 53, 53);
            QApplication::setPalette(QPalette(window, window)); // white text, frames shaded from it
            s_darkened = true;
        } else if (!dark && s_darkened) {
            QApplication::setPalette(QPalette()); // the desktop's again
            s_darkened = false;
        }
    };
    QObject::connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, qApp, follow);
    follow();
#endif
}

} // namespace

int RunTelvir(int &argc, char *argv[], const std::function<void()> &beforeShow)
{
    if (const auto status = AnswerInformationOptions(argc, argv))
        return *status;
    const QString windowSystem = PrepareEnvironment(argc, argv);
    const std::unique_ptr<QApplication> application = OpenWindowSystem(argc, argv, windowSystem);
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

void PrepareApplication(QApplication &application)
{
    Q_INIT_RESOURCE(assets);
    // The name is what X11 desktops match the desktop entry by (WM_CLASS,
    // Latin-1 by ICCCM) and what a screen reader files its settings under
    // (Orca 51 makes a settings path of it and drops other letters), so it is
    // plain ASCII; the desktop shows the entry's «Тельвир», and the windows'
    // titles say it themselves. Only the name: a display name would be
    // appended to every window title.
    QApplication::setApplicationName(QStringLiteral("Telvir"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.telvir.Telvir"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/Telvir.bmp")));
    SubstituteDesignFonts();
    application.setStyle(new TelvirStyle);
    FollowDarkStyle();
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
