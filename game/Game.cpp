// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Game.h"

#include "Line.h"

namespace {

constexpr std::string_view FirstDiscPrompt = "Укажи первую бьющую фишку.";
constexpr std::string_view TargetPrompt = "Куда ставим новую фишку?";
constexpr std::string_view NotOwnDiscPrompt = "Укажи на СВОЮ фишку!";
constexpr std::string_view OccupiedPrompt = "Укажи СВОБОДНУЮ клетку!";
constexpr std::string_view NoCapturePrompt = "Кого там бить собрался?";
constexpr std::string_view MoveOrResetPrompt = "Ход или сброс?";

} // namespace

Player OtherPlayer(Player player)
{
    return player == 1 ? 2 : 1;
}

void Game::NewGame()
{
    State.PlayerNames[1] = PlayerName("Игрок-1");
    State.PlayerNames[2] = PlayerName("Игрок-2");
    // Side by side, not crosswise: player 1 in the fourth column, player 2 in the fifth.
    BoardCells start{};
    start[Cell{3, 3}.index()] = 1;
    start[Cell{3, 4}.index()] = 1;
    start[Cell{4, 3}.index()] = 2;
    start[Cell{4, 4}.index()] = 2;
    SetUpPosition(start, 1);
}

void Game::SetUpPosition(const BoardCells &board, Player toMove)
{
    State.Board = board;
    View.RefreshBoard(State.Board);
    ReleaseAllCells();
    State.CurrentPlayer = toMove;
    StartTurn();
}

void Game::StartTurn()
{
    State.Phase = 0;
    FixedText<38> headline("Ходит ");
    headline.append(State.PlayerNames[State.CurrentPlayer].view());
    View.ShowHeadline(headline.view(), PlayerColour(State.CurrentPlayer));
    View.ShowPrompt(FirstDiscPrompt);
    View.SetBoardLocked(false);
}

void Game::CellClicked(Cell cell)
{
    switch (State.Phase) {
    case 0:
        PickAnchor(cell);
        break;
    case 1:
        PickTarget(cell);
        break;
    default:
        // The board is locked while a line is marked, so no click should get
        // here; if one does, undo the flip it made so the line stays intact.
        View.SetCellPressed(cell, !View.IsCellPressed(cell));
        break;
    }
}

void Game::PickAnchor(Cell cell)
{
    if (State.at(cell) == State.CurrentPlayer) {
        State.AnchorColumn = static_cast<std::uint8_t>(cell.column);
        State.AnchorRow = static_cast<std::uint8_t>(cell.row);
        View.SetCellPressed(cell, true);
        State.Phase = 1;
        View.ShowPrompt(TargetPrompt);
    } else {
        View.ShowPrompt(NotOwnDiscPrompt);
        View.SetCellPressed(cell, false);
    }
}

void Game::PickTarget(Cell cell)
{
    const Cell anchor{State.AnchorColumn, State.AnchorRow};
    bool marked = false;
    if (State.at(cell) != EmptyCell) {
        View.ShowPrompt(OccupiedPrompt);
    } else {
        const auto line = LineBetween(anchor, cell);
        if (line && EnclosesOnly(*line, State.Board, OtherPlayer(State.CurrentPlayer))) {
            View.SetBoardLocked(true);
            State.Phase = 2;
            for (int k = 0; k < line->cells; ++k)
                View.SetCellPressed(line->at(k), true);
            View.ShowPrompt(MoveOrResetPrompt);
            marked = true;
        } else {
            View.ShowPrompt(NoCapturePrompt);
        }
    }
    // The click has flipped the button; put it into the state the outcome needs.
    if (cell == anchor)
        View.SetCellPressed(cell, true);
    else if (!marked)
        View.SetCellPressed(cell, false);
}

void Game::CommitMove()
{
    if (State.Phase == 1)
        return;
    int mine = 0;
    int theirs = 0;
    int empty = 0;
    for (int index = 0; index < CellCount; ++index) {
        const Cell cell = Cell::fromIndex(index);
        if (View.IsCellPressed(cell)) {
            State.Board[index] = State.CurrentPlayer;
            View.SetCellPressed(cell, false);
        }
        const CellState owner = State.Board[index];
        if (owner == EmptyCell)
            ++empty;
        else if (owner == State.CurrentPlayer)
            ++mine;
        else
            ++theirs;
    }
    View.RefreshBoard(State.Board);
    State.CurrentPlayer = OtherPlayer(State.CurrentPlayer);
    if (empty > 0 && mine > 0 && theirs > 0) {
        StartTurn();
        return;
    }
    const Player mover = OtherPlayer(State.CurrentPlayer);
    if (mine < theirs)
        ShowResult(State.CurrentPlayer);
    else if (mine == theirs)
        ShowResult(Draw);
    else
        ShowResult(mover);
}

void Game::ResetTurn()
{
    ReleaseAllCells();
    StartTurn();
}

void Game::GiveUp()
{
    ShowResult(OtherPlayer(State.CurrentPlayer));
}

void Game::ShowResult(GameOutcome outcome)
{
    if (outcome == Draw) {
        View.ShowResultWindow("Ничья!", GreyColour);
        return;
    }
    FixedText<41> text("Выиграл ");
    text.append(State.PlayerNames[outcome].view()).append("!");
    View.ShowResultWindow(text.view(), PlayerColour(outcome));
}

void Game::ReleaseAllCells()
{
    for (int index = 0; index < CellCount; ++index)
        View.SetCellPressed(Cell::fromIndex(index), false);
}
