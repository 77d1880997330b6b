// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text and every disc and ring stands out against what is behind it
// on the desktop's colour scheme, light, dark or high-contrast, switched
// while the windows are open: WCAG 2.1's contrast of 4.5:1 for text, 3:1
// for the headline, the result and the pictures' parts; 7:1 and 4.5:1
// where the design's black cannot stand, as far as the background allows.
// Every state a control shows differs from its plain look by 3:1: a pressed
// cell, the keyboard focus; and so do the cells' outlines from their face.
// Measured on what the windows draw: the commonest colour of a control is
// what is behind, the one that stands out most is its text.

#include "tests/Colours.h"
#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"
#include "ui/Legibility.h"

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

// A control's text colour, the one that stands out most, and what is behind it.
struct DrawnText {
    QColor colour;
    QColor background;
};

DrawnText TextOf(QWidget *control, int inset)
{
    const QImage image = Drawn(control, inset);
    DrawnText text{Commonest(image), Commonest(image)};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Contrast(image.pixel(x, y), text.background) > Contrast(text.colour, text.background))
                text.colour = image.pixel(x, y);
        }
    }
    return text;
}

// The contrast a text needs against `background`: AA on a background the
// design's black stands on; elsewhere AAA, or as near as any colour comes.
double Needed(QColor background, bool large)
{
    const double black = Contrast(Qt::black, background);
    if (black >= 4.5)
        return large ? 3 : 4.5;
    return std::min(large ? 4.5 : 7, std::max(black, Contrast(Qt::white, background)));
}

// What is wrong with a text's contrast, if anything.
QString IllegibleText(QWidget *control, int inset, bool large)
{
    const DrawnText text = TextOf(control, inset);
    const double contrast = Contrast(text.colour, text.background);
    const double needed = Needed(text.background, large);
    if (contrast >= needed)
        return {};
    return QString("%1: %2:1, not %3:1").arg(control->objectName()).arg(contrast, 0, 'f', 2).arg(needed, 0, 'f', 2);
}

// The greatest contrast of any pixel of one look with the same pixel of another.
double Change(const QImage &from, const QImage &to)
{
    double most = 1;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x)
            most = std::max(most, Contrast(from.pixel(x, y), to.pixel(x, y)));
    }
    return most;
}

bool Contains(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour)
                return true;
        }
    }
    return false;
}

// Where one look has turned to `colour` from another, all in one rectangle.
QRect Turned(const QImage &from, const QImage &to, QRgb colour)
{
    QRect turned;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            if (to.pixel(x, y) == colour && from.pixel(x, y) != colour)
                turned |= QRect(x, y, 1, 1);
        }
    }
    return turned;
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

// A scheme with the shades of its frames of its own.
QPalette Shaded(QPalette scheme, QColor light, QColor dark, QColor shadow)
{
    scheme.setColor(QPalette::Light, light);
    scheme.setColor(QPalette::Dark, dark);
    scheme.setColor(QPalette::Shadow, shadow);
    return scheme;
}

void ChangeScheme(const QPalette &scheme)
{
    QApplication::setPalette(scheme);
    QTest::qWait(50); // the windows follow from their event loop
}

} // namespace

class LegibilityTest : public WindowTest {
    Q_OBJECT

private slots:
    void legibleOnScheme_data();
    void legibleOnScheme();
    void statesSeenOnScheme_data() { legibleOnScheme_data(); }
    void statesSeenOnScheme();
    void coloursGoJustFarEnough();
#ifdef TELVIR_GNOME_STYLE_TEST
    void followsGnomesStyle();
#endif
    void darkFromTheStart();
};

void LegibilityTest::legibleOnScheme_data()
{
    QTest::addColumn<QPalette>("scheme");
    // Light where nothing tells Qt another scheme, as here but in the GTK run.
    QTest::newRow("the desktop's own") << QApplication::palette();
    QTest::newRow("dark, as KDE's Breeze Dark") << Scheme(QColor(49, 54, 59), QColor(252, 252, 252));
    QTest::newRow("dark grey, as the game takes for GNOME's dark style") << Scheme(QColor(53, 53, 53), Qt::white);
    // Frames of little contrast: a pressed cell's sunken frame stands out
    // 1.9:1 from its raised one, and its checkerboard 1.1:1 from its face.
    QTest::newRow("GTK's Adwaita-dark, as Qt's GTK theme gives it")
        << Shaded(Scheme(QColor(50, 50, 50), Qt::white), QColor(62, 62, 62), QColor(44, 44, 44), QColor(2, 2, 2));
    // Soft frames on mid grey: a pressed cell stands out from a released one
    // 4.6:1 in its frame, its frame from its face only 2.1:1.
    QTest::newRow("mid grey, soft frames") << Shaded(Scheme(QColor(120, 120, 120), Qt::white), QColor(180, 180, 180),
                                                     QColor(90, 90, 90), QColor(70, 70, 70));
    // A light shadow, and a pressed cell that stands out by its face alone.
    QTest::newRow("qt6ct's darker") << Shaded(Scheme(QColor(34, 32, 32), Qt::white, QColor(66, 66, 69), Qt::white),
                                              QColor(151, 151, 151), QColor(48, 47, 46), QColor(231, 228, 224));
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
    ChangeScheme(scheme);

    struct Text {
        QWidget *control;
        int inset; // a button's frame
        bool large;
    };
    const auto in = [](QWidget *window, const char *name) { return Find(window, name); };
    const Text texts[] = {
        {in(MainForm, "BigMessage"), 0, true},    {in(MainForm, "StatusLine"), 0, false},
        {in(MainForm, "MoveButton"), 4, false},   {in(MainForm, "ResetButton"), 4, false},
        {in(MainForm, "GiveUpButton"), 4, false}, {in(AboutForm, "StaticText1"), 0, false},
        {in(AboutForm, "StaticText2"), 0, false}, {in(AboutForm, "StaticText3"), 0, false},
        {in(AboutForm, "OkButton"), 4, false},    {in(EndGameForm, "OkButton"), 4, false},
    };
    for (const Text &text : texts) {
        const QString fault = IllegibleText(text.control, text.inset, text.large);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    // Player 1's green, however light or dark it has to be, and not a step
    // further from the design's than that.
    const DrawnText headline = TextOf(in(MainForm, "BigMessage"), 0);
    const QColor green = headline.colour.toHsl();
    QVERIFY2(std::abs(green.hslHue() - QColor(Green).hslHue()) <= 1, qPrintable(green.name()));
    if (headline.colour.rgb() != Green) {
        const int towardsDesign = green.lightness() > QColor(Green).lightness() ? -1 : 1;
        const QColor nearer = QColor::fromHsl(green.hslHue(), green.hslSaturation(), green.lightness() + towardsDesign);
        QVERIFY2(Contrast(nearer, headline.background) < Needed(headline.background, true), qPrintable(green.name()));
    }
    for (const Cell cell : {Cell{0, 0}, Cell{3, 3}, Cell{4, 3}}) {
        const double contrast = PictureContrast(Button(cell));
        QVERIFY2(contrast >= 3, qPrintable(QString("cell %1, %2: %3:1").arg(cell.column).arg(cell.row).arg(contrast)));
    }

    // The result, in the winner's colour.
    QString fault = "not shown";
    WhenModalShows([&fault](QDialog *modal) {
        fault = IllegibleText(Find(modal, "GameResultMsg"), 0, true);
        ClickOk(modal);
    });
    ClickCommand("GiveUpButton");
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void LegibilityTest::statesSeenOnScheme()
{
    QFETCH(QPalette, scheme);
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
    ChangeScheme(scheme);

    // A cell pressed against the same cell released, in its frame and in
    // its face where neither look has a picture's pixel; and the frame of a
    // released cell, its outline, against its face.
    for (const Cell cell : {Cell{0, 0}, Cell{3, 3}}) {
        CellButton *button = Button(cell);
        const QImage released = Drawn(button, 0);
        button->setChecked(true);
        const QImage pressed = Drawn(button, 0);
        button->setChecked(false);
        const QRgb face = Commonest(Drawn(Button({0, 0}), 2)); // an empty cell's
        const QRect inside = released.rect().adjusted(2, 2, -2, -2);
        double frame = 1;
        double faceChange = 1;
        double outline = 1;
        for (int y = 0; y < released.height(); ++y) {
            for (int x = 0; x < released.width(); ++x) {
                const double change = Contrast(released.pixel(x, y), pressed.pixel(x, y));
                if (!inside.contains(x, y)) {
                    frame = std::max(frame, change);
                    outline = std::max(outline, Contrast(released.pixel(x, y), face));
                } else if (released.pixel(x, y) == face && released.pixel(x - 1, y - 1) == face) {
                    faceChange = std::max(faceChange, change); // the picture is drawn a pixel on when pressed
                }
            }
        }
        const QString where = QString("cell %1, %2: ").arg(cell.column).arg(cell.row);
        QVERIFY2(std::max(frame, faceChange) >= 3,
                 qPrintable(where + QString("pressed %1:1 in the frame, %2:1 in the face").arg(frame).arg(faceChange)));
        QVERIFY2(outline >= 3, qPrintable(where + QString("outline %1:1").arg(outline)));
        // Still raised: a light edge the scheme has lighter than the face
        // stays so; and one made to stand out goes no further than it must.
        const QColor scheme = button->palette().color(QPalette::Light);
        const QColor edge = QColor(released.pixel(5, 0)).toHsl();
        if (Luminance(scheme) > Luminance(face))
            QVERIFY2(Luminance(edge) > Luminance(face), qPrintable(where + "not raised"));
        if (edge.rgb() != scheme.rgb()) {
            const int towardsScheme = edge.lightness() > scheme.lightness() ? -1 : 1;
            const QColor nearer =
                QColor::fromHsl(edge.hslHue(), edge.hslSaturation(), edge.lightness() + towardsScheme);
            QVERIFY2(Contrast(nearer, face) < 3, qPrintable(where + "light edge " + edge.name()));
        }
    }

    // A locked board looks as it did.
    QWidget *board = Find(MainForm, "BoardPanel");
    const QImage unlocked = Drawn(board, 0);
    board->setEnabled(false);
    const QImage locked = Drawn(board, 0);
    board->setEnabled(true);
    QVERIFY(locked == unlocked);

    // The keyboard's focus on a command button, and on each dialog's Ok.
    const auto focusFault = [](QWidget *button, QWidget *elsewhere) {
        elsewhere ? elsewhere->setFocus(Qt::TabFocusReason) : button->clearFocus();
        const QImage plain = Drawn(button, 0);
        button->setFocus(Qt::TabFocusReason);
        const QImage focused = Drawn(button, 0);
        const double change = Change(plain, focused);
        if (change < 3)
            return QString("%1 focused: %2:1").arg(button->objectName()).arg(change);
        // What turns the text's colour is one frame, as far from each side as
        // from the other, and not there without the focus.
        const QRgb text = button->palette().color(QPalette::ButtonText).rgb();
        const QRect frame = Turned(plain, focused, text);
        const QRect mirrored(focused.width() - 1 - frame.right(), focused.height() - 1 - frame.bottom(), frame.width(),
                             frame.height());
        const QString where = QString("%1's focus frame at %2,%3 %4x%5")
                                  .arg(button->objectName())
                                  .arg(frame.x())
                                  .arg(frame.y())
                                  .arg(frame.width())
                                  .arg(frame.height());
        const QRect inside = frame.adjusted(1, 1, -1, -1);
        if (frame != mirrored || !Turned(plain.copy(inside), focused.copy(inside), text).isNull())
            return where;
        if (Contains(plain.copy(0, 0, plain.width(), frame.top() + 1), text))
            return where + " shown without the focus too";
        for (int x = frame.left(); x < frame.right(); ++x) {
            if ((focused.pixel(x, frame.top()) == text) == (focused.pixel(x + 1, frame.top()) == text))
                return where + " not dotted pixel by pixel";
        }
        return QString();
    };
    QWidget *commands[] = {Find(MainForm, "MoveButton"), Find(MainForm, "ResetButton"), Find(MainForm, "GiveUpButton")};
    for (int command = 0; command < 3; ++command) {
        const QString fault = focusFault(commands[command], commands[(command + 1) % 3]);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    for (QDialog *dialog : {static_cast<QDialog *>(EndGameForm), static_cast<QDialog *>(AboutForm)}) {
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
        QString fault = "not shown";
        WhenModalShows([&fault, &focusFault](QDialog *modal) {
            fault = focusFault(Find(modal, "OkButton"), nullptr);
            ClickOk(modal);
        });
        if (dialog == EndGameForm)
            ClickCommand("GiveUpButton");
        else
            Find<QAction>(MainForm, "GameAbout")->trigger();
        QTRY_VERIFY(fault != "not shown" && dialog->isHidden()); // About opens from the event loop
        QVERIFY2(fault.isEmpty(), qPrintable(dialog->objectName() + ": " + fault));
    }
}

// A colour that gives way goes just as far as it must, lighter or darker,
// with its hue kept: a step of lightness back would not stand out enough.
// Where no lightness does, it goes as far as it can.
void LegibilityTest::coloursGoJustFarEnough()
{
    const auto fault = [](QColor design, QColor background, double needed, QColor shown) {
        shown = shown.toHsl();
        const QString what =
            QString("%1 on %2 at %3:1 shown %4").arg(design.name(), background.name()).arg(needed).arg(shown.name());
        if (Contrast(design, background) >= needed)
            return shown.rgb() == design.rgb() ? QString() : what;
        const int back = shown.lightness() > design.toHsl().lightness() ? -1 : 1;
        const QColor nearer = QColor::fromHsl(shown.hslHue(), shown.hslSaturation(), shown.lightness() + back);
        const bool reached = Contrast(shown, background) >= needed;
        const bool utmost = shown.lightness() == 0 || shown.lightness() == 255;
        const bool hueKept = shown.hslHue() == design.toHsl().hslHue() || utmost;
        return (reached || utmost) && Contrast(nearer, background) < needed && hueKept ? QString() : what;
    };
    const QColor designs[] = {Green, Qt::red, Grey, Black, Teal};
    for (int grey = 0; grey < 256; ++grey) {
        const QColor background(grey, grey, grey);
        for (const QColor &design : designs) {
            for (const double needed : {3.0, 4.5, 7.0}) {
                const QString wrong = fault(design, background, needed, LegibleColour(design, background, needed));
                QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            }
        }
    }

    // A cell's light edge, on a face too light for a lighter one to stand
    // out 3:1 and with frames that do not either, goes darker.
    QPalette soft(QColor(200, 200, 200));
    soft.setColor(QPalette::Light, QColor(250, 250, 250));
    soft.setColor(QPalette::Dark, QColor(170, 170, 170));
    soft.setColor(QPalette::Shadow, QColor(150, 150, 150));
    const QColor edge = LegibleBevel(soft).color(QPalette::Light);
    QVERIFY(edge.lightness() < 200);
    const QString wrong = fault(QColor(250, 250, 250), QColor(200, 200, 200), 3, edge);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
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
    for (const QString &fault : {IllegibleText(prompt, 0, false), IllegibleText(headline, 0, true)})
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

    // GNOME's light theme, Adwaita, is no light one by its name to Qt 6.8,
    // which then knows no scheme.
    QVERIFY(pick(false));
    QTRY_VERIFY(QGuiApplication::styleHints()->colorScheme() != Qt::ColorScheme::Dark);
    QTest::qWait(50);
    QVERIFY2(Luminance(Commonest(Drawn(prompt, 0))) > 0.5, "the window is not light");
    QCOMPARE(prompt->palette().color(QPalette::WindowText), QColor(Qt::black)); // the design's
}
#endif

// Qt's GTK theme, which Debian installs with Qt, reads GTK's theme at
// start and gives its colours: under a dark one the game starts dark. (The
// rest is the scheme tests' rows "the desktop's own".)
void LegibilityTest::darkFromTheStart()
{
    QVERIFY2(Luminance(Commonest(Drawn(Find(MainForm, "StatusLine"), 0))) < 0.2,
             "the window is not dark: is Qt's GTK theme (qt6-gtk-platformtheme) installed?");
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    QCOMPARE(QGuiApplication::styleHints()->colorScheme(), Qt::ColorScheme::Dark);
#endif
}

TELVIR_TEST_MAIN(LegibilityTest)
#include "tst_Legibility.moc"
