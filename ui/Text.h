// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <QColor>
#include <QString>

#include <string_view>

// Bridges from the rules' plain values to Qt's.

inline QString ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QColor ToQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}
