// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
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
        m_headline = text;
        m_headlineColour = colour;
    }
    void ShowPrompt(std::string_view text) override { m_prompt = text; }
    void SetCellPressed(Cell cell, bool pressed) override { m_pressed[cell.index()] = pressed; }
    bool IsCellPressed(Cell cell) const override { return m_pressed[cell.index()]; }
    void SetBoardLocked(bool locked) override { m_locked = locked; }
    void RefreshBoard(const BoardCells &board) override { m_shown = board; }
    void ShowResultWindow(std::string_view text, Rgb colour) override
    {
        m_results.push_back({std::string(text), colour, m_shown, pressedCount() > 0, m_headline, m_prompt});
        if (m_onResultClosed)
            m_onResultClosed();
    }

    // Flips the cell the way a click on its button does, then lets the rules answer.
    void Click(Game &game, Cell cell)
    {
        m_pressed[cell.index()] = !m_pressed[cell.index()];
        game.CellClicked(cell);
    }
    void setOnResultClosed(std::function<void()> closed) { m_onResultClosed = std::move(closed); }

    const std::string &headline() const { return m_headline; }
    Rgb headlineColour() const { return m_headlineColour; }
    const std::string &prompt() const { return m_prompt; }
    const std::array<bool, CellCount> &pressed() const { return m_pressed; }
    int pressedCount() const
    {
        int count = 0;
        for (bool cell : m_pressed)
            count += cell ? 1 : 0;
        return count;
    }
    bool locked() const { return m_locked; }
    const BoardCells &shown() const { return m_shown; }
    const std::vector<Result> &results() const { return m_results; }

private:
    std::string m_headline;
    Rgb m_headlineColour{};
    std::string m_prompt;
    std::array<bool, CellCount> m_pressed{};
    bool m_locked = false;
    BoardCells m_shown{};
    std::vector<Result> m_results;
    std::function<void()> m_onResultClosed;
};

// A game on the fake view whose result window starts the next game as soon as
// it opens, as closing the real one does.
struct FakeTable {
    FakeView view;
    Game game{view};

    FakeTable()
    {
        view.setOnResultClosed([this] { game.NewGame(); });
        game.NewGame();
    }
    FakeTable(const FakeTable &) = delete;
    FakeTable &operator=(const FakeTable &) = delete;

    void Click(Cell cell) { view.Click(game, cell); }
};
