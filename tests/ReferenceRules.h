// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"

#include <array>
#include <bitset>
#include <initializer_list>
#include <optional>
#include <string>

// The line rule written independently of the game, for checking it: walk from
// the anchor one cell at a time in each of the eight directions over the
// opponent's discs.
using CellSet = std::bitset<CellCount>;

inline bool OnBoard(Cell cell)
{
    return cell.column >= 0 && cell.column < BoardSide && cell.row >= 0 && cell.row < BoardSide;
}

struct Step {
    int columns;
    int rows;
};
inline constexpr std::array<Step, 8> Directions{{{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}}};

// Where a walk from `from` over the opponent's discs stops (maybe off the
// board), and how many it passed.
struct Walk {
    Cell end;
    int between;
};
inline Walk WalkOver(const BoardCells &board, Cell from, Step step, CellState opponent)
{
    Walk walk{{from.column + step.columns, from.row + step.rows}, 0};
    while (OnBoard(walk.end) && board[walk.end.index()] == opponent) {
        ++walk.between;
        walk.end = {walk.end.column + step.columns, walk.end.row + step.rows};
    }
    return walk;
}

// The cells a capture from anchor to target presses, anchor and target
// included; empty when the target closes no line.
inline CellSet ReferenceCapture(const BoardCells &board, Cell anchor, Cell target, CellState opponent)
{
    if (board[target.index()] != EmptyCell)
        return {};
    for (const Step step : Directions) {
        const Walk walk = WalkOver(board, anchor, step, opponent);
        if (walk.between == 0 || walk.end != target)
            continue;
        CellSet cells;
        for (int distance = 0; distance <= walk.between + 1; ++distance)
            cells.set(Cell{anchor.column + distance * step.columns, anchor.row + distance * step.rows}.index());
        return cells;
    }
    return {};
}

// The cells for which `holds(cell)` is true.
template <typename Predicate>
CellSet CellsWhere(Predicate holds)
{
    CellSet cells;
    for (int index = 0; index < CellCount; ++index)
        cells.set(index, holds(Cell::fromIndex(index)));
    return cells;
}

inline CellSet PressedSet(const std::array<bool, CellCount> &pressed)
{
    return CellsWhere([&pressed](Cell cell) { return pressed[cell.index()]; });
}

inline CellSet Cells(std::initializer_list<Cell> list)
{
    CellSet cells;
    for (Cell cell : list)
        cells.set(cell.index());
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
        for (const Step step : Directions) {
            const Walk walk = WalkOver(board, anchor, step, opponent);
            if (walk.between > 0 && OnBoard(walk.end) && board[walk.end.index()] == EmptyCell)
                visit(Capture{anchor, walk.end});
        }
    }
}

// What the pressed cells and the board's lock must be in the state's phase:
// nothing when they agree, otherwise what is wrong.
inline std::optional<std::string> PhaseMismatch(const GameState &state, const CellSet &pressed, bool locked)
{
    const Cell anchor{state.AnchorColumn, state.AnchorRow};
    const CellState opponent = state.CurrentPlayer == 1 ? 2 : 1;
    switch (state.Phase) {
    case TurnPhase::WaitingForAnchor:
        if (pressed.any() || locked)
            return "waiting for an anchor with cells pressed or the board locked";
        return std::nullopt;
    case TurnPhase::WaitingForTarget:
        if (pressed.count() != 1 || !pressed[anchor.index()] || state.at(anchor) != state.CurrentPlayer || locked)
            return "waiting for a target without exactly the mover's anchor pressed";
        return std::nullopt;
    case TurnPhase::WaitingForMoveOrReset:
        for (int index = 0; index < CellCount; ++index) {
            if (locked && pressed[index]
                && ReferenceCapture(state.Board, anchor, Cell::fromIndex(index), opponent) == pressed)
                return std::nullopt;
        }
        return "waiting for Move without exactly one legal line pressed and the board locked";
    }
    return "phase " + std::to_string(static_cast<int>(state.Phase));
}
