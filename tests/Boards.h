// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <initializer_list>
#include <string_view>

// A position drawn as eight rows, top row first: '.' empty, 'G' a disc of
// player 1 (green), 'R' a disc of player 2 (red).
inline BoardCells BoardFromRows(std::initializer_list<std::string_view> rows)
{
    BoardCells board{};
    int row = 0;
    for (std::string_view line : rows) {
        for (int column = 0; column < BoardSide; ++column)
            board[Cell{column, row}.index()] = line[column] == 'G' ? 1 : line[column] == 'R' ? 2 : 0;
        ++row;
    }
    return board;
}
