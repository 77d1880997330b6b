// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "../game/Game.h"
#include "ui_MainWindow.h"

#include <QMainWindow>

#include <array>

class CellButton;

// The main window: headline, prompt line, command panel, menu and the board
// of 64 cell buttons. It owns the game and is the view the rules draw on.
class TMainForm : public QMainWindow, private GameView {
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);

    // Starts the next game; the result window calls it when it closes.
    void NewGame();

    const GameState &state() const { return TheGame.state(); }
    CellButton *cellButton(Cell cell) const { return CellButtons[cell.index()]; }
    // The value whose picture the cell shows; 255 before the first picture.
    CellState shownCell(Cell cell) const { return ShownBoard[cell.index()]; }

public slots:
    void BoardPoint();
    void MoveButtonClick();
    void ResetButtonClick();
    void GiveUpButtonClick();
    void ExitGameClick();
    void GameAboutClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Initialize();
    void InitBtnPtrs();
    bool TakesInput() const;
    void ShowAboutWindow();

    void ShowHeadline(std::string_view text, Rgb colour) override;
    void ShowPrompt(std::string_view text) override;
    void SetCellPressed(Cell cell, bool pressed) override;
    bool IsCellPressed(Cell cell) const override;
    void SetBoardLocked(bool locked) override;
    void RefreshBoard(const BoardCells &board) override;
    void ShowResultWindow(std::string_view text, Rgb colour) override;

    Ui::TMainForm Ui;
    std::array<CellButton *, CellCount> CellButtons{};
    std::array<CellState, CellCount> ShownBoard{};
    std::array<QPixmap, 3> CellPictures; // indexed by CellState
    Game TheGame{*this};
};

extern TMainForm *MainForm;
