// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <optional>

// A straight run of cells from one end to the other, both ends included.
struct Line {
    Cell first;
    int columnStep = 0;
    int rowStep = 0;
    int length = 0; // how many cells, both ends included

    constexpr Cell at(int k) const { return {first.column + k * columnStep, first.row + k * rowStep}; }
};

// The line that joins anchor and target along a row, a column or a diagonal,
// or nothing when the target lies on none of them.
std::optional<Line> LineBetween(Cell anchor, Cell target);

// A capture: at least one cell between the ends, and every one of them
// holding a disc of the opponent.
bool EnclosesOnly(const Line &line, const BoardCells &board, Player opponent);
