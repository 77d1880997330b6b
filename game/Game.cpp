// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Game.h"

#include "game/Line.h"

namespace {

constexpr std::string_view FirstDiscPrompt = "Укажи первую бьющую фишку.";
constexpr std::string_view TargetPrompt = "Куда ставим новую фишку?";
constexpr std::string_view NotOwnDiscPrompt = "Укажи на СВОЮ фишку!";
constexpr std::string_view OccupiedPrompt = "Укажи СВОБОДНУЮ клетку!";
constexpr std::string_view NoCapturePrompt = "Кого там бить собрался?";
constexpr std::string_view MoveOrResetPrompt = "Ход или сброс?";

constexpr std::string_view HeadlinePrefix = "Ходит ";
constexpr std::string_view WinnerPrefix = "Выиграл ";
constexpr std::string_view WinnerSuffix = "!";

// Room for the longest name, so that a name is never cut.
using HeadlineText = FixedText<CharacterCount(HeadlinePrefix) + NameCapacity>;
using ResultText = FixedText<CharacterCount(WinnerPrefix) + NameCapacity + CharacterCount(WinnerSuffix)>;

} // namespace

Player OtherPlayer(Player player)
{
    return player == 1 ? 2 : 1;
}

void Game::NewGame()
{
    m_state.PlayerNames[1] = PlayerName("Игрок-1");
    m_state.PlayerNames[2] = PlayerName("Игрок-2");
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
    m_state.Board = board;
    m_view.RefreshBoard(m_state.Board);
    ReleaseAllCells();
    m_state.CurrentPlayer = toMove;
    StartTurn();
}

void Game::StartTurn()
{
    m_state.Phase = TurnPhase::WaitingForAnchor;
    HeadlineText headline(HeadlinePrefix);
    headline.append(m_state.PlayerNames[m_state.CurrentPlayer].view());
    m_view.ShowHeadline(headline.view(), PlayerColour(m_state.CurrentPlayer));
    m_view.ShowPrompt(FirstDiscPrompt);
    m_view.SetBoardLocked(false);
}

void Game::CellClicked(Cell cell)
{
    switch (m_state.Phase) {
    case TurnPhase::WaitingForAnchor:
        PickAnchor(cell);
        break;
    case TurnPhase::WaitingForTarget:
        PickTarget(cell);
        break;
    case TurnPhase::WaitingForMoveOrReset:
        // The board is locked while a line is marked, so no click should get
        // here; if one does, undo the flip it made so the line stays intact.
        m_view.SetCellPressed(cell, !m_view.IsCellPressed(cell));
        break;
    }
}

void Game::PickAnchor(Cell cell)
{
    if (m_state.at(cell) == m_state.CurrentPlayer) {
        m_state.AnchorColumn = static_cast<std::uint8_t>(cell.column);
        m_state.AnchorRow = static_cast<std::uint8_t>(cell.row);
        m_view.SetCellPressed(cell, true);
        m_state.Phase = TurnPhase::WaitingForTarget;
        m_view.ShowPrompt(TargetPrompt);
    } else {
        m_view.ShowPrompt(NotOwnDiscPrompt);
        m_view.SetCellPressed(cell, false);
    }
}

void Game::PickTarget(Cell cell)
{
    const Cell anchor{m_state.AnchorColumn, m_state.AnchorRow};
    bool marked = false;
    if (m_state.at(cell) != EmptyCell) {
        m_view.ShowPrompt(OccupiedPrompt);
    } else {
        const auto line = LineBetween(anchor, cell);
        if (line && EnclosesOnly(*line, m_state.Board, OtherPlayer(m_state.CurrentPlayer))) {
            m_view.SetBoardLocked(true);
            m_state.Phase = TurnPhase::WaitingForMoveOrReset;
            for (int k = 0; k < line->length; ++k)
                m_view.SetCellPressed(line->at(k), true);
            m_view.ShowPrompt(MoveOrResetPrompt);
            marked = true;
        } else {
            m_view.ShowPrompt(NoCapturePrompt);
        }
    }
    // The click has flipped the button; put it into the state the outcome needs.
    if (cell == anchor)
        m_view.SetCellPressed(cell, true);
    else if (!marked)
        m_view.SetCellPressed(cell, false);
}

void Game::CommitMove()
{
    if (m_state.Phase == TurnPhase::WaitingForTarget)
        return;
    int mine = 0;
    int theirs = 0;
    int empty = 0;
    for (int index = 0; index < CellCount; ++index) {
        const Cell cell = Cell::fromIndex(index);
        if (m_view.IsCellPressed(cell)) {
            m_state.Board[index] = m_state.CurrentPlayer;
            m_view.SetCellPressed(cell, false);
        }
        const CellState owner = m_state.Board[index];
        if (owner == EmptyCell)
            ++empty;
        else if (owner == m_state.CurrentPlayer)
            ++mine;
        else
            ++theirs;
    }
    m_view.RefreshBoard(m_state.Board);
    m_state.CurrentPlayer = OtherPlayer(m_state.CurrentPlayer);
    if (empty > 0 && mine > 0 && theirs > 0) {
        StartTurn();
        return;
    }
    const Player mover = OtherPlayer(m_state.CurrentPlayer);
    const GameOutcome outcome = mine < theirs ? m_state.CurrentPlayer : mine == theirs ? Draw : mover;
    // ShowResult returns only once the result window has started the next
    // game on this same object: nothing may follow it here.
    ShowResult(outcome);
}

void Game::ResetTurn()
{
    ReleaseAllCells();
    StartTurn();
}

void Game::GiveUp()
{
    // The last thing done: when it returns, the next game has begun.
    ShowResult(OtherPlayer(m_state.CurrentPlayer));
}

void Game::ShowResult(GameOutcome outcome)
{
    if (outcome == Draw) {
        m_view.ShowResultWindow("Ничья!", GreyColour);
        return;
    }
    ResultText text(WinnerPrefix);
    text.append(m_state.PlayerNames[outcome].view()).append(WinnerSuffix);
    m_view.ShowResultWindow(text.view(), PlayerColour(outcome));
}

void Game::ReleaseAllCells()
{
    for (int index = 0; index < CellCount; ++index)
        m_view.SetCellPressed(Cell::fromIndex(index), false);
}
