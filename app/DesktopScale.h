// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

// GNOME tells X11 programs its scale through the XSETTINGS manager rather
// than through any variable Qt reads: Gdk/WindowScalingFactor, a whole
// number, beside Xft/DPI, the text resolution multiplied by it.

// An integer setting out of the XSETTINGS manager's property (its byte
// order, a serial, a count, then each setting's type, name, serial and
// value, padded to four bytes); none where it is not there or the data is
// cut short.
std::optional<int> XSettingsInteger(const QByteArray &settings, const QByteArray &name);

// The scale that the desktop on that X display (empty: DISPLAY) publishes,
// 1 where none is published or the display cannot be opened; and the size
// of the display's screen in its own pixels, empty where it cannot be opened.
struct PublishedScale {
    int scale = 1;
    QSize screen;
};
PublishedScale X11DesktopScale(const QString &display);
