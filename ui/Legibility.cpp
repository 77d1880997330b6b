// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Legibility.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// WCAG 2.1's levels: AA, and AAA where the design's colours give way anyway.
constexpr double TextContrast = 4.5;
constexpr double LargeTextContrast = 3.0; // and a picture's parts, and a control's states
constexpr double EnhancedTextContrast = 7.0;
constexpr double EnhancedLargeTextContrast = 4.5;
constexpr QPalette::ColorGroup Groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

double RelativeLuminance(const QColor &colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

QPalette::ColorRole BackgroundRole(QPalette::ColorRole textRole)
{
    return textRole == QPalette::ButtonText ? QPalette::Button : QPalette::Window;
}

} // namespace

double ContrastRatio(const QColor &first, const QColor &second)
{
    const double one = RelativeLuminance(first);
    const double other = RelativeLuminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

namespace {

// The colour with its hue and saturation kept, made lighter (`step` 1) or
// darker (-1) until it stands out `needed` from `background`, or as far as
// it goes.
QColor Shifted(const QColor &design, const QColor &background, double needed, int step)
{
    const QColor hsl = design.toHsl();
    QColor colour = hsl;
    for (int lightness = hsl.lightness(); lightness >= 0 && lightness <= 255; lightness += step) {
        colour.setHsl(hsl.hslHue(), hsl.hslSaturation(), lightness);
        if (ContrastRatio(colour, background) >= needed)
            break;
    }
    return colour.toRgb();
}

} // namespace

QColor LegibleColour(const QColor &design, const QColor &background, double needed)
{
    if (ContrastRatio(design, background) >= needed)
        return design;
    const int step = ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background) ? 1 : -1;
    return Shifted(design, background, needed, step);
}

QPixmap LegiblePicture(const QPixmap &picture, const QColor &face)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, QRgb> legible;
    bool changed = false;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            if (!legible.contains(line[x]))
                legible.insert(line[x], LegibleColour(QColor(line[x]), face, LargeTextContrast).rgb());
            changed = changed || legible[line[x]] != line[x];
            line[x] = legible[line[x]];
        }
    }
    return changed ? QPixmap::fromImage(image) : picture;
}

QPalette LegibleBevel(QPalette colours)
{
    const QColor face = colours.color(QPalette::Button);
    const QColor light = colours.color(QPalette::Light);
    const QColor dark = colours.color(QPalette::Dark);
    const QColor shadow = colours.color(QPalette::Shadow);
    // A raised frame's outer edges are light and shadow, its inner ones face
    // and dark; a sunken one has them the other way round.
    const double outline =
        std::max({ContrastRatio(light, face), ContrastRatio(shadow, face), ContrastRatio(dark, face)});
    const double pressed =
        std::max({ContrastRatio(light, shadow), ContrastRatio(face, dark), ContrastRatio(light, face)});
    if (std::min(outline, pressed) >= LargeTextContrast)
        return colours;
    // The light edge stays lighter than the face, so that a cell still looks
    // raised, wherever a lighter colour can stand out enough.
    const int step = ContrastRatio(Qt::white, face) >= LargeTextContrast ? 1 : -1;
    colours.setColor(QPalette::Light, Shifted(light, face, LargeTextContrast, step));
    return colours;
}

bool IsSchemeChange(const QEvent *event)
{
    return event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange;
}

void LegibleTexts::Adopt(QWidget *form)
{
    QList<QWidget *> widgets = form->findChildren<QWidget *>();
    widgets.prepend(form);
    for (QWidget *widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetPalette))
            continue;
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
            if (widget->palette().isBrushSet(QPalette::Active, role))
                m_texts.push_back({widget, role, widget->palette().color(QPalette::Active, role), false});
        }
    }
    Refresh();
}

void LegibleTexts::SetColour(QWidget *label, const QColor &design)
{
    const auto same = [label](const Text &text) { return text.widget == label && text.playerColour; };
    auto text = std::find_if(m_texts.begin(), m_texts.end(), same);
    if (text == m_texts.end())
        text = m_texts.insert(text, {label, QPalette::WindowText, design, true});
    text->design = design;
    Show(*text);
}

void LegibleTexts::Refresh()
{
    for (const Text &text : m_texts)
        Show(text);
}

void LegibleTexts::Show(const Text &text)
{
    if (!text.widget)
        return;
    // What is behind the text is the scheme's; the text's own colour is
    // ours, so the scheme's text colour is the application's.
    const QColor background = text.widget->palette().color(QPalette::Active, BackgroundRole(text.role));
    // The design's colours were made for a light background, one its black
    // texts stand on; elsewhere they give way, and then as far as they can.
    const bool designed = ContrastRatio(Qt::black, background) >= TextContrast;
    QColor shown;
    if (text.playerColour) {
        shown = LegibleColour(text.design, background, designed ? LargeTextContrast : EnhancedLargeTextContrast);
    } else if (designed) {
        shown = text.design;
    } else {
        const QColor scheme = QApplication::palette(text.widget).color(QPalette::Active, text.role);
        shown = LegibleColour(scheme, background, EnhancedTextContrast);
    }
    // Only the text's colour is the widget's own, so that the rest still
    // follows the scheme. (A copy of the widget's palette would make every
    // colour its own.)
    QPalette palette;
    for (const QPalette::ColorGroup group : Groups)
        palette.setColor(group, text.role, shown);
    if (text.widget->palette().color(QPalette::Active, text.role) != shown)
        text.widget->setPalette(palette);
}
