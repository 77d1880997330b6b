// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/FixedText.h"
#include "game/GameView.h"
#include "game/Types.h"

#include <array>
#include <cstdint>

inline constexpr std::size_t NameCapacity = 32; // characters
using PlayerName = FixedText<NameCapacity>;

// How far the current turn has got, named for what it waits for.
enum class TurnPhase : std::uint8_t {
    WaitingForAnchor,      // one of the mover's own discs; no cell pressed
    WaitingForTarget,      // an empty cell; the anchor pressed
    WaitingForMoveOrReset, // a legal line pressed and the board locked
};

// One game: plain data, owned by the main window for its whole life.
struct GameState {
    BoardCells Board{};
    Player CurrentPlayer = 1;
    TurnPhase Phase = TurnPhase::WaitingForAnchor;
    // The disc picked while waiting for an anchor; meaningful only once the
    // turn has moved past that.
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
    explicit Game(GameView &view) : m_view(view) {}

    const GameState &state() const { return m_state; }

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

    GameView &m_view;
    GameState m_state;
};
