// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FixedText.h"
#include "GameView.h"
#include "Types.h"

#include <array>
#include <cstdint>

using PlayerName = FixedText<32>;

// One game: plain data, owned by the main window for its whole life.
struct GameState {
    BoardCells Board{};
    Player CurrentPlayer = 1;
    // 0: waiting for the mover's own disc; 1: anchor picked, waiting for the
    // target; 2: a legal line is pressed and the board locked.
    std::uint8_t Phase = 0;
    // The disc picked in phase 0; meaningful in phases 1 and 2 only.
    std::uint8_t AnchorColumn = 0;
    std::uint8_t AnchorRow = 0;
    std::array<PlayerName, 3> PlayerNames{}; // indexed by player number, 1 and 2

    CellState at(Cell cell) const { return Board[cell.index()]; }
};

Player OtherPlayer(Player player);

// The rules of a turn. Call NewGame() first; after that the window forwards
// every cell click to CellClicked() and its three command buttons to
// CommitMove(), ResetTurn() and GiveUp(). Everything the player sees goes
// through the GameView given at construction.
class Game {
public:
    explicit Game(GameView &view) : View(view) {}

    const GameState &state() const { return State; }

    void NewGame();
    void StartTurn();
    void CellClicked(Cell cell);
    void PickAnchor(Cell cell);
    void PickTarget(Cell cell);
    void CommitMove();
    void ResetTurn();
    void GiveUp();
    void ShowResult(GameOutcome outcome);

    // Puts a position on the board and begins a turn of the given player
    // there, for setting up situations that are slow to reach by play.
    void SetUpPosition(const BoardCells &board, Player toMove);

private:
    void ReleaseAllCells();

    GameView &View;
    GameState State;
};
