// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The prompt line's texts, as a player reads them, written out once for
// every test.
inline constexpr char FirstDiscPrompt[] = "Укажи первую бьющую фишку.";
inline constexpr char TargetPrompt[] = "Куда ставим новую фишку?";
inline constexpr char NotOwnDiscPrompt[] = "Укажи на СВОЮ фишку!";
inline constexpr char OccupiedPrompt[] = "Укажи СВОБОДНУЮ клетку!";
inline constexpr char NoCapturePrompt[] = "Кого там бить собрался?";
inline constexpr char MoveOrResetPrompt[] = "Ход или сброс?";
