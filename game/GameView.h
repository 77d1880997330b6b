// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Types.h"

#include <string_view>

// What the rules need from the window, and nothing more. The cells of the move
// being built are kept only as the pressed state of the cell buttons, so the
// rules read it back from here when a move is applied.
class GameView {
public:
    virtual void ShowHeadline(std::string_view text, Rgb colour) = 0;
    virtual void ShowPrompt(std::string_view text) = 0;
    virtual void SetCellPressed(Cell cell, bool pressed) = 0;
    virtual bool IsCellPressed(Cell cell) const = 0;
    virtual void SetBoardLocked(bool locked) = 0;
    // Redraws the cells whose picture no longer matches the board.
    virtual void RefreshBoard(const BoardCells &board) = 0;
    // Shows the result modally; returns once the result window has been
    // closed, which has started a new game by then.
    virtual void ShowResultWindow(std::string_view text, Rgb colour) = 0;

protected:
    ~GameView() = default;
};
