// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Line.h"

#include <algorithm>

std::optional<Line> LineBetween(Cell anchor, Cell target)
{
    const int minColumn = std::min(anchor.column, target.column);
    const int maxColumn = std::max(anchor.column, target.column);
    const int minRow = std::min(anchor.row, target.row);
    const int maxRow = std::max(anchor.row, target.row);
    const int columnSpan = maxColumn - minColumn + 1;
    const int dc = target.column - anchor.column;
    const int dr = target.row - anchor.row;

    // The shapes are tried in this order; the first that fits decides.
    if (dr == 0)
        return Line{{minColumn, anchor.row}, 1, 0, columnSpan};
    if (dc == 0)
        return Line{{anchor.column, minRow}, 0, 1, maxRow - minRow + 1};
    if (dc == dr)
        return Line{{minColumn, minRow}, 1, 1, columnSpan};
    if (dc == -dr)
        return Line{{minColumn, maxRow}, 1, -1, columnSpan};
    return std::nullopt;
}

bool EnclosesOnly(const Line &line, const BoardCells &board, Player opponent)
{
    if (line.length < 3)
        return false;
    for (int k = 1; k < line.length - 1; ++k) {
        if (board[line.at(k).index()] != opponent)
            return false;
    }
    return true;
}
