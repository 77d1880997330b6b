// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <bitset>

// The line rule written independently of the game, for checking it: walk from
// the anchor one cell at a time in each of the eight directions over the
// opponent's discs.
using CellSet = std::bitset<CellCount>;

// The cells a capture from anchor to target presses, anchor and target
// included; empty when the target closes no line.
inline CellSet ReferenceCapture(const BoardCells &board, Cell anchor, Cell target, CellState opponent)
{
    if (board[target.index()] != EmptyCell)
        return {};
    for (int dc = -1; dc <= 1; ++dc) {
        for (int dr = -1; dr <= 1; ++dr) {
            if (dc == 0 && dr == 0)
                continue;
            CellSet cells;
            cells.set(anchor.index());
            int between = 0;
            Cell at{anchor.column + dc, anchor.row + dr};
            while (at.column >= 0 && at.column < 8 && at.row >= 0 && at.row < 8
                   && board[at.index()] == opponent) {
                cells.set(at.index());
                ++between;
                at = {at.column + dc, at.row + dr};
            }
            if (at == target && between > 0) {
                cells.set(target.index());
                return cells;
            }
        }
    }
    return {};
}

inline CellSet PressedSet(const std::array<bool, CellCount> &pressed)
{
    CellSet cells;
    for (int index = 0; index < CellCount; ++index)
        cells.set(index, pressed[index]);
    return cells;
}

struct Capture {
    Cell anchor;
    Cell target;
};

// Every capture the player could make, found by walking from each own disc.
template <typename Visit>
void ForEachCapture(const BoardCells &board, Player player, Visit visit)
{
    const CellState opponent = player == 1 ? 2 : 1;
    for (int index = 0; index < CellCount; ++index) {
        if (board[index] != player)
            continue;
        const Cell anchor = Cell::fromIndex(index);
        for (int dc = -1; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 1; ++dr) {
                Cell at{anchor.column + dc, anchor.row + dr};
                int between = 0;
                while (at.column >= 0 && at.column < 8 && at.row >= 0 && at.row < 8
                       && board[at.index()] == opponent) {
                    ++between;
                    at = {at.column + dc, at.row + dr};
                }
                if (between > 0 && at.column >= 0 && at.column < 8 && at.row >= 0 && at.row < 8
                    && board[at.index()] == EmptyCell)
                    visit(Capture{anchor, at});
            }
        }
    }
}
