// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

// Values shared by the rules and the window. Board arrays are column-major:
// the cell at (column, row) lives at index column * 8 + row, whereas the cell
// buttons are numbered row by row. Go through Cell::index() rather than
// computing an index by hand, so that the two orders never get mixed up.

using CellState = std::uint8_t;   // EmptyCell, or the number of the player whose disc it is
using Player = std::uint8_t;      // 1 or 2
using GameOutcome = std::uint8_t; // 1 or 2: that player has won; Draw

inline constexpr CellState EmptyCell = 0;
inline constexpr GameOutcome Draw = 3;
inline constexpr int BoardSide = 8;
inline constexpr int CellCount = BoardSide * BoardSide;

struct Cell {
    int column = 0; // 0..7, left to right
    int row = 0;    // 0..7, top to bottom

    constexpr int index() const { return column * BoardSide + row; }
    static constexpr Cell fromIndex(int index) { return {index / BoardSide, index % BoardSide}; }
    constexpr bool operator==(const Cell &) const = default;
};

using BoardCells = std::array<CellState, CellCount>;

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    constexpr bool operator==(const Rgb &) const = default;
};

inline constexpr Rgb GreenColour{0, 128, 0};
inline constexpr Rgb RedColour{255, 0, 0};
inline constexpr Rgb GreyColour{128, 128, 128};

// Player 1 plays green and player 2 red, on the board and in every text about them.
constexpr Rgb PlayerColour(Player player)
{
    return player == 1 ? GreenColour : RedColour;
}
