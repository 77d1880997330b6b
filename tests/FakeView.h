// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// Records what the rules show, and closes the result window at once the way
// the real one does: by starting a new game.
class FakeView : public GameView {
public:
    struct Result {
        std::string text;
        Rgb colour;
        BoardCells board; // the position when the window opened
        bool anyPressed;  // whether any cell was still pressed then
        std::string headline;
        std::string prompt;
    };

    void ShowHeadline(std::string_view text, Rgb colour) override
    {
        headline = text;
        headlineColour = colour;
    }
    void ShowPrompt(std::string_view text) override { prompt = text; }
    void SetCellPressed(Cell cell, bool pressed) override { this->pressed[cell.index()] = pressed; }
    bool IsCellPressed(Cell cell) const override { return pressed[cell.index()]; }
    void SetBoardLocked(bool locked) override { this->locked = locked; }
    void RefreshBoard(const BoardCells &board) override
    {
        shown = board;
        ++refreshes;
    }
    void ShowResultWindow(std::string_view text, Rgb colour) override
    {
        results.push_back({std::string(text), colour, shown, pressedCount() > 0, headline, prompt});
        if (onResultClosed)
            onResultClosed();
    }

    int pressedCount() const
    {
        int count = 0;
        for (bool cell : pressed)
            count += cell ? 1 : 0;
        return count;
    }

    // Flips the cell the way a click on its button does, then lets the rules answer.
    void Click(Game &game, Cell cell)
    {
        pressed[cell.index()] = !pressed[cell.index()];
        game.CellClicked(cell);
    }

    std::string headline;
    Rgb headlineColour;
    std::string prompt;
    std::array<bool, CellCount> pressed{};
    bool locked = false;
    BoardCells shown{};
    int refreshes = 0;
    std::vector<Result> results;
    std::function<void()> onResultClosed;
};

// A game on the fake view whose result window starts the next game as soon as
// it opens, as closing the real one does.
struct FakeTable {
    FakeView view;
    Game game{view};

    FakeTable()
    {
        view.onResultClosed = [this] { game.NewGame(); };
        game.NewGame();
    }
    FakeTable(const FakeTable &) = delete;
    FakeTable &operator=(const FakeTable &) = delete;

    void Click(Cell cell) { view.Click(game, cell); }
};
