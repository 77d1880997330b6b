// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"
#include "ui/Desktop.h"
#include "ui/Legibility.h"
#include "ui/ScreenReader.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class CellButton;
class QLabel;

namespace Ui {
class TMainForm;
}

// The main window: headline, prompt line, command panel, menu and the board
// of 64 cell buttons. It owns the game and is the view the rules draw on.
class TMainForm : public QMainWindow, private GameView {
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    void setVisible(bool visible) override;

    // Starts the next game; the result window calls it when it closes.
    void NewGame();

    // What the window holds, for whatever drives it from outside and checks
    // it as a player would see it: the tests and the benchmark.
    const GameState &state() const { return m_game.state(); }
    CellButton *cellButton(Cell cell) const { return m_cellButtons[cell.index()]; }
    // The value whose picture the cell shows; NotDrawnYet before the first one.
    CellState shownCell(Cell cell) const { return m_shownBoard[cell.index()]; }
    static constexpr CellState NotDrawnYet = 255;

public slots:
    void BoardPoint();
    void MoveButtonClick();
    void ResetButtonClick();
    void GiveUpButtonClick();
    void ExitGameClick();
    void GameAboutClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void Initialize();
    void InitBtnPtrs();
    // Once the controls have taken the desktop's new colours, which they
    // do after the window has heard of them.
    void FollowScheme();
    void FitPicturesToScheme();
    bool takesInput() const;
    void ShowText(QLabel *label, std::string_view text, void (Announcer::*changed)(const QString &));
    void ShowAboutWindow();

    void ShowHeadline(std::string_view text, Rgb colour) override;
    void ShowPrompt(std::string_view text) override;
    void SetCellPressed(Cell cell, bool pressed) override;
    bool IsCellPressed(Cell cell) const override;
    void SetBoardLocked(bool locked) override;
    void RefreshBoard(const BoardCells &board) override;
    void ShowResultWindow(std::string_view text, Rgb colour) override;

    std::unique_ptr<Ui::TMainForm> m_ui;
    std::array<CellButton *, CellCount> m_cellButtons{};
    // The cell being clicked, while the rules answer the click: they take
    // it as flipped, as a click flips a two-state button, and it is set once
    // they have said what it is to be.
    std::optional<Cell> m_clicked;
    std::array<CellState, CellCount> m_shownBoard{};
    std::array<QPixmap, 3> m_designPictures; // indexed by CellState
    std::array<QPixmap, 3> m_cellPictures;   // as the colour scheme shows them
    LegibleTexts m_texts;
    Game m_game{*this};
    WindowPlacement m_placement;
    Announcer m_announcer;
};

extern TMainForm *MainForm;
