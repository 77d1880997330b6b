// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text and every disc and ring stands out against what is behind it
// on the desktop's colour scheme, light, dark or high-contrast, switched
// while the windows are open: WCAG 2.1's contrast of 4.5:1 for text, 3:1
// for the headline, the result and the pictures' parts. Measured on what
// the windows draw: the commonest colour of a control is what is behind,
// the one that stands out most is its text.

#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"

#include <QScopeGuard>
#include <QStyle>
#include <QStyleHints>

#ifdef TELVIR_GNOME_STYLE_TEST
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

#include <cmath>

namespace {

double Luminance(QColor colour)
{
    const auto linear = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(QColor one, QColor other)
{
    const double first = Luminance(one) + 0.05;
    const double second = Luminance(other) + 0.05;
    return first > second ? first / second : second / first;
}

// What a control draws, less `inset` pixels of frame all round.
QImage Drawn(QWidget *control, int inset)
{
    const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return image.copy(image.rect().adjusted(inset, inset, -inset, -inset));
}

QRgb Commonest(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    return std::max_element(counts.cbegin(), counts.cend()).key(); // by count
}

// The text's contrast with what is behind it.
double TextContrast(QWidget *control, int inset)
{
    const QImage image = Drawn(control, inset);
    const QColor background = Commonest(image);
    double most = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            most = std::max(most, Contrast(image.pixel(x, y), background));
    }
    return most;
}

// The weakest contrast of any colour of a cell's picture with the face, the
// commonest colour of an empty cell.
double PictureContrast(QWidget *cell)
{
    const QColor face = Commonest(Drawn(Button({0, 0}), 2));
    const QImage image = Drawn(cell, 2);
    double least = 21;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != face.rgb())
                least = std::min(least, Contrast(image.pixel(x, y), face));
        }
    }
    return least;
}

// A scheme with its windows' and its buttons' colours, each with its text.
QPalette Scheme(QColor window, QColor windowText, QColor button, QColor buttonText)
{
    QPalette palette(button, window); // the frames' shades worked out from the button's
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, windowText);
    palette.setColor(QPalette::ButtonText, buttonText);
    return palette;
}

QPalette Scheme(QColor window, QColor text)
{
    return Scheme(window, text, window, text);
}

} // namespace

class LegibilityTest : public WindowTest {
    Q_OBJECT

private slots:
    void legibleOnScheme_data();
    void legibleOnScheme();
#ifdef TELVIR_GNOME_STYLE_TEST
    void followsGnomesStyle();
#endif
};

void LegibilityTest::legibleOnScheme_data()
{
    QTest::addColumn<QPalette>("scheme");
    QTest::newRow("light (the style's own)") << QApplication::style()->standardPalette();
    QTest::newRow("dark, as KDE's Breeze Dark") << Scheme(QColor(49, 54, 59), QColor(252, 252, 252));
    QTest::newRow("dark grey, as GTK's Adwaita-dark") << Scheme(QColor(53, 53, 53), QColor(238, 238, 236));
    QTest::newRow("high contrast: white on black") << Scheme(Qt::black, Qt::white);
    // Breeze's buttons are lighter than its windows.
    QTest::newRow("KDE's Breeze") << Scheme(QColor(239, 240, 241), QColor(35, 38, 41), QColor(252, 252, 252),
                                            QColor(35, 38, 41));
    QTest::newRow("KDE's Breeze Dark, Plasma 5")
        << Scheme(QColor(42, 46, 50), QColor(252, 252, 252), QColor(49, 54, 59), QColor(252, 252, 252));
    // Mid grey, where the design's black stands out 3.5:1: enough for the
    // headline, not for the other texts; and light buttons on it, where it
    // is enough.
    QTest::newRow("mid grey windows, light buttons")
        << Scheme(QColor(100, 100, 100), Qt::white, QColor(240, 240, 240), Qt::black);
}

void LegibilityTest::legibleOnScheme()
{
    QFETCH(QPalette, scheme);
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
    QApplication::setPalette(scheme);
    QTest::qWait(50); // the windows follow from their event loop

    struct Text {
        QWidget *control;
        int inset; // a button's frame
        double needed;
    };
    const auto in = [](QWidget *window, const char *name) { return Find(window, name); };
    const Text texts[] = {
        {in(MainForm, "BigMessage"), 0, 3},     {in(MainForm, "StatusLine"), 0, 4.5},
        {in(MainForm, "MoveButton"), 4, 4.5},   {in(MainForm, "ResetButton"), 4, 4.5},
        {in(MainForm, "GiveUpButton"), 4, 4.5}, {in(AboutForm, "StaticText1"), 0, 4.5},
        {in(AboutForm, "StaticText2"), 0, 4.5}, {in(AboutForm, "StaticText3"), 0, 4.5},
        {in(AboutForm, "OkButton"), 4, 4.5},    {in(EndGameForm, "OkButton"), 4, 4.5},
    };
    for (const Text &text : texts) {
        const double contrast = TextContrast(text.control, text.inset);
        QVERIFY2(contrast >= text.needed,
                 qPrintable(QString("%1: %2:1").arg(text.control->objectName()).arg(contrast, 0, 'f', 2)));
    }
    for (const Cell cell : {Cell{0, 0}, Cell{3, 3}, Cell{4, 3}}) {
        const double contrast = PictureContrast(Button(cell));
        QVERIFY2(contrast >= 3, qPrintable(QString("cell %1, %2: %3:1").arg(cell.column).arg(cell.row).arg(contrast)));
    }

    // The result, in the winner's colour.
    double result = 0;
    WhenModalShows([&result](QDialog *modal) {
        result = TextContrast(Find(modal, "GameResultMsg"), 0);
        ClickOk(modal);
    });
    ClickCommand("GiveUpButton");
    QVERIFY2(result >= 3, qPrintable(QString("result: %1:1").arg(result)));
}

#ifdef TELVIR_GNOME_STYLE_TEST
// Qt's GNOME theme (Qt 6.5 on) follows the style the user picks live, as
// GNOME's settings portal tells it on the session bus: here a portal of the
// test's own, on a bus of its own, tells a dark theme and then a light one
// again, in both ways GNOME's portal tells them.
void LegibilityTest::followsGnomesStyle()
{
    QDBusConnection portal = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    QVERIFY(portal.registerService("org.freedesktop.portal.Desktop"));
    const auto tell = [&portal](const char *group, const char *key, const QVariant &value) {
        QDBusMessage change = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                         "org.freedesktop.portal.Settings", "SettingChanged");
        change << QString(group) << QString(key) << QVariant::fromValue(QDBusVariant(value));
        return portal.send(change);
    };
    const auto pick = [&tell](bool dark) {
        return tell("org.freedesktop.appearance", "color-scheme", uint(dark ? 1 : 2))
               && tell("org.gnome.desktop.interface", "gtk-theme", dark ? "Adwaita-dark" : "Adwaita");
    };
    QWidget *prompt = Find(MainForm, "StatusLine");
    QWidget *headline = Find(MainForm, "BigMessage");

    QVERIFY(pick(true));
    QTRY_COMPARE(QGuiApplication::styleHints()->colorScheme(), Qt::ColorScheme::Dark);
    QTest::qWait(50); // the windows follow from their event loop
    QVERIFY2(Luminance(Commonest(Drawn(prompt, 0))) < 0.2, "the window is not dark");
    QVERIFY2(TextContrast(prompt, 0) >= 4.5, qPrintable(QString("prompt: %1:1").arg(TextContrast(prompt, 0))));
    QVERIFY2(TextContrast(headline, 0) >= 3, qPrintable(QString("headline: %1:1").arg(TextContrast(headline, 0))));

    // GNOME's light theme, Adwaita, is no light one by its name to Qt 6.8,
    // which then knows no scheme.
    QVERIFY(pick(false));
    QTRY_VERIFY(QGuiApplication::styleHints()->colorScheme() != Qt::ColorScheme::Dark);
    QTest::qWait(50);
    QVERIFY2(Luminance(Commonest(Drawn(prompt, 0))) > 0.5, "the window is not light");
    QCOMPARE(prompt->palette().color(QPalette::WindowText), QColor(Qt::black)); // the design's
}
#endif

TELVIR_TEST_MAIN(LegibilityTest)
#include "tst_Legibility.moc"
