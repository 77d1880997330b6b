// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// The standard colours the pictures and the windows are drawn in.
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb Green = qRgb(0, 128, 0);
inline constexpr QRgb Teal = qRgb(0, 128, 128);
inline constexpr QRgb Grey = qRgb(128, 128, 128);
