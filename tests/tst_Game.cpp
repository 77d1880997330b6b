// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/Boards.h"
#include "tests/FakeView.h"
#include "tests/Prompts.h"
#include "tests/ReferenceRules.h"

#include <QTest>

#include <random>

Q_DECLARE_METATYPE(Cell)

namespace {

const BoardCells StartingPosition = BoardFromRows({
    "........",
    "........",
    "........",
    "...GR...",
    "...GR...",
    "........",
    "........",
    "........",
});

struct Table : FakeTable {
    void Play(Cell anchor, Cell target)
    {
        Click(anchor);
        Click(target);
        game.CommitMove();
    }
};

} // namespace

class GameTest : public QObject {
    Q_OBJECT

private slots:
    void otherPlayer();
    void newGameShowsTheStartingPosition();
    void anchorClicks_data();
    void anchorClicks();
    void targetClicks_data();
    void targetClicks();
    void lineRuleAgreesWithAWalkOverTheBoard();
    void boardIsColumnMajor();
    void longestLines();
    void clicksWhileALineIsMarkedChangeNothing();
    void moveGivesTheLineToTheMover();
    void passesAndMoveWithAnAnchorPicked();
    void resetTakesTheTurnBack();
    void givingUp();
    void endOfGame_data();
    void endOfGame();
};

void GameTest::otherPlayer()
{
    QCOMPARE(OtherPlayer(1), Player(2));
    QCOMPARE(OtherPlayer(2), Player(1));
    QCOMPARE(OtherPlayer(0), Player(1));
    QCOMPARE(OtherPlayer(255), Player(1));
}

void GameTest::newGameShowsTheStartingPosition()
{
    Table table;
    QVERIFY(table.game.state().Board == StartingPosition);
    QCOMPARE(table.game.state().Board[27], CellState(1)); // column 3, row 3
    QCOMPARE(table.game.state().Board[35], CellState(2)); // column 4, row 3
    QVERIFY(table.view.shown() == StartingPosition);
    QCOMPARE(table.view.headline(), std::string("Ходит Игрок-1"));
    QVERIFY(table.view.headlineColour() == GreenColour);
    QCOMPARE(table.view.prompt(), std::string(FirstDiscPrompt));
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);
    QCOMPARE(table.game.state().CurrentPlayer, Player(1));
    QVERIFY(!table.view.locked());

    // A new game in the middle of a marked line starts clean.
    table.Click({3, 3});
    table.Click({5, 3});
    QVERIFY(table.view.locked());
    table.game.NewGame();
    QCOMPARE(table.view.pressedCount(), 0);
    QVERIFY(!table.view.locked());
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);
}

void GameTest::anchorClicks_data()
{
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<TurnPhase>("phase");
    QTest::newRow("own disc") << Cell{3, 4} << TargetPrompt << true << TurnPhase::WaitingForTarget;
    QTest::newRow("empty cell") << Cell{0, 0} << NotOwnDiscPrompt << false << TurnPhase::WaitingForAnchor;
    QTest::newRow("opponent's disc") << Cell{4, 3} << NotOwnDiscPrompt << false << TurnPhase::WaitingForAnchor;
}

void GameTest::anchorClicks()
{
    QFETCH(Cell, cell);
    QFETCH(QString, prompt);
    QFETCH(bool, pressed);
    QFETCH(TurnPhase, phase);
    Table table;
    table.Click(cell);
    QCOMPARE(QString::fromStdString(table.view.prompt()), prompt);
    QCOMPARE(table.view.pressed()[cell.index()], pressed);
    QCOMPARE(table.view.pressedCount(), pressed ? 1 : 0);
    QCOMPARE(table.game.state().Phase, phase);
    if (pressed) {
        QCOMPARE(int(table.game.state().AnchorColumn), cell.column);
        QCOMPARE(int(table.game.state().AnchorRow), cell.row);
    }
}

void GameTest::targetClicks_data()
{
    QTest::addColumn<Cell>("target");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QList<Cell>>("pressed");
    const Cell anchor{3, 3};
    QTest::newRow("along the row") << Cell{5, 3} << MoveOrResetPrompt << QList<Cell>{anchor, {4, 3}, {5, 3}};
    QTest::newRow("along the diagonal") << Cell{5, 5} << MoveOrResetPrompt << QList<Cell>{anchor, {4, 4}, {5, 5}};
    QTest::newRow("adjacent") << Cell{4, 2} << NoCapturePrompt << QList<Cell>{anchor};
    QTest::newRow("gap between") << Cell{1, 3} << NoCapturePrompt << QList<Cell>{anchor};
    QTest::newRow("knight's jump") << Cell{5, 4} << NoCapturePrompt << QList<Cell>{anchor};
    QTest::newRow("own disc between") << Cell{3, 5} << NoCapturePrompt << QList<Cell>{anchor};
    QTest::newRow("the anchor again") << anchor << OccupiedPrompt << QList<Cell>{anchor};
    QTest::newRow("another own disc") << Cell{3, 4} << OccupiedPrompt << QList<Cell>{anchor};
    QTest::newRow("opponent's disc") << Cell{4, 4} << OccupiedPrompt << QList<Cell>{anchor};
}

void GameTest::targetClicks()
{
    QFETCH(Cell, target);
    QFETCH(QString, prompt);
    QFETCH(QList<Cell>, pressed);
    Table table;
    table.Click({3, 3});
    const BoardCells before = table.game.state().Board;
    table.Click(target);
    QCOMPARE(QString::fromStdString(table.view.prompt()), prompt);
    CellSet expected;
    for (Cell cell : pressed)
        expected.set(cell.index());
    QVERIFY(PressedSet(table.view.pressed()) == expected);
    const bool marked = pressed.size() > 1;
    QCOMPARE(table.game.state().Phase, marked ? TurnPhase::WaitingForMoveOrReset : TurnPhase::WaitingForTarget);
    QCOMPARE(table.view.locked(), marked);
    QVERIFY(table.game.state().Board == before);
}

void GameTest::lineRuleAgreesWithAWalkOverTheBoard()
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        BoardCells board{};
        const int emptyShare = 1 + round % 5; // from crowded boards to sparse ones
        for (CellState &cell : board) {
            const int draw = static_cast<int>(random() % 6);
            cell = draw < emptyShare ? EmptyCell : static_cast<CellState>(1 + draw % 2);
        }
        const Player mover = static_cast<Player>(1 + round % 2);
        FakeView view;
        Game game(view);
        for (int a = 0; a < CellCount; ++a) {
            if (board[a] != mover)
                continue;
            for (int t = 0; t < CellCount; ++t) {
                if (board[t] != EmptyCell)
                    continue;
                game.SetUpPosition(board, mover);
                const Cell anchor = Cell::fromIndex(a);
                const Cell target = Cell::fromIndex(t);
                view.Click(game, anchor);
                view.Click(game, target);
                CellSet expected = ReferenceCapture(board, anchor, target, mover == 1 ? 2 : 1);
                const bool legal = expected.any();
                if (!legal)
                    expected = Cells({anchor});
                if (PressedSet(view.pressed()) != expected
                    || (game.state().Phase == TurnPhase::WaitingForMoveOrReset) != legal)
                    QFAIL(qPrintable(QStringLiteral("round %1: anchor (%2, %3), target (%4, %5)")
                                         .arg(round)
                                         .arg(anchor.column)
                                         .arg(anchor.row)
                                         .arg(target.column)
                                         .arg(target.row)));
            }
        }
    }
}

void GameTest::boardIsColumnMajor()
{
    // Built from raw indices: column 1, row 0 is index 8. Were rows and
    // columns swapped, the cells between would read as empty.
    BoardCells board{};
    board[0] = 1;
    board[8] = 2;
    board[16] = 2;
    Table table;
    table.game.SetUpPosition(board, 1);
    table.Click({0, 0});
    table.Click({3, 0});
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForMoveOrReset);
    QVERIFY(PressedSet(table.view.pressed()) == Cells({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
}

void GameTest::longestLines()
{
    const struct {
        const char *name;
        Cell anchor;
        Cell target;
        int columnStep;
        int rowStep;
    } lines[] = {
        {"row", {0, 5}, {7, 5}, 1, 0},
        {"column", {2, 7}, {2, 0}, 0, -1},
        {"falling diagonal", {0, 0}, {7, 7}, 1, 1},
        {"rising diagonal", {7, 0}, {0, 7}, -1, 1},
    };
    for (const auto &line : lines) {
        BoardCells board{};
        board[line.anchor.index()] = 2;
        CellSet expected = Cells({line.anchor, line.target});
        for (int k = 1; k < 7; ++k) {
            const Cell between{line.anchor.column + k * line.columnStep, line.anchor.row + k * line.rowStep};
            board[between.index()] = 1;
            expected.set(between.index());
        }
        Table table;
        table.game.SetUpPosition(board, 2);
        table.Click(line.anchor);
        table.Click(line.target);
        QVERIFY2(PressedSet(table.view.pressed()) == expected, line.name);
        table.game.CommitMove();
        QCOMPARE(table.view.results().size(), size_t(1)); // player 1 has no disc left
        QCOMPARE(table.view.results()[0].text, std::string("Выиграл Игрок-2!"));
    }
}

void GameTest::clicksWhileALineIsMarkedChangeNothing()
{
    Table table;
    table.Click({3, 3});
    table.Click({5, 3});
    const auto pressed = table.view.pressed();
    for (Cell cell : {Cell{4, 3}, Cell{0, 0}, Cell{3, 3}}) {
        table.Click(cell);
        QVERIFY(table.view.pressed() == pressed);
        QCOMPARE(table.view.prompt(), std::string(MoveOrResetPrompt));
        QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForMoveOrReset);
    }
}

void GameTest::moveGivesTheLineToTheMover()
{
    Table table;
    table.Play({3, 3}, {5, 3});
    const BoardCells expected = BoardFromRows({
        "........",
        "........",
        "........",
        "...GGG..",
        "...GR...",
        "........",
        "........",
        "........",
    });
    QVERIFY(table.game.state().Board == expected);
    QVERIFY(table.view.shown() == expected);
    QCOMPARE(table.view.pressedCount(), 0);
    QVERIFY(!table.view.locked());
    QCOMPARE(table.game.state().CurrentPlayer, Player(2));
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);
    QCOMPARE(table.view.headline(), std::string("Ходит Игрок-2"));
    QVERIFY(table.view.headlineColour() == RedColour);
    QCOMPARE(table.view.prompt(), std::string(FirstDiscPrompt));
    QVERIFY(table.view.results().empty());
}

void GameTest::passesAndMoveWithAnAnchorPicked()
{
    Table table;
    table.game.CommitMove();
    QVERIFY(table.game.state().Board == StartingPosition);
    QCOMPARE(table.view.headline(), std::string("Ходит Игрок-2"));
    QVERIFY(table.view.headlineColour() == RedColour);
    table.game.CommitMove();
    QCOMPARE(table.view.headline(), std::string("Ходит Игрок-1"));
    QVERIFY(table.view.headlineColour() == GreenColour);
    QVERIFY(table.view.results().empty());

    table.Click({3, 4});
    table.view.ShowPrompt("untouched");
    table.view.ShowHeadline("untouched", GreenColour);
    table.game.CommitMove();
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForTarget);
    QCOMPARE(table.game.state().CurrentPlayer, Player(1));
    QVERIFY(PressedSet(table.view.pressed()) == Cells({{3, 4}}));
    QCOMPARE(table.view.prompt(), std::string("untouched"));
    QCOMPARE(table.view.headline(), std::string("untouched"));
}

void GameTest::resetTakesTheTurnBack()
{
    Table table;
    table.Click({3, 3});
    table.game.ResetTurn();
    QCOMPARE(table.view.pressedCount(), 0);
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);

    table.Click({3, 3});
    table.Click({5, 5});
    table.game.ResetTurn();
    QCOMPARE(table.view.pressedCount(), 0);
    QVERIFY(!table.view.locked());
    QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);
    QCOMPARE(table.game.state().CurrentPlayer, Player(1));
    QCOMPARE(table.view.prompt(), std::string(FirstDiscPrompt));
    QVERIFY(table.game.state().Board == StartingPosition);
}

void GameTest::givingUp()
{
    for (int phase = 0; phase <= 2; ++phase) {
        for (Player quitter : {Player(1), Player(2)}) {
            Table table;
            if (quitter == 2)
                table.game.CommitMove();
            const Cell anchor = quitter == 1 ? Cell{3, 3} : Cell{4, 3};
            const Cell target = quitter == 1 ? Cell{5, 3} : Cell{2, 3};
            if (phase >= 1)
                table.Click(anchor);
            if (phase == 2)
                table.Click(target);
            table.game.GiveUp();
            QCOMPARE(table.view.results().size(), size_t(1));
            const auto &result = table.view.results()[0];
            QCOMPARE(result.text, std::string(quitter == 1 ? "Выиграл Игрок-2!" : "Выиграл Игрок-1!"));
            QVERIFY(result.colour == (quitter == 1 ? RedColour : GreenColour));
            QVERIFY(result.board == StartingPosition);
            QCOMPARE(result.anyPressed, phase > 0);
            // The next game starts clean.
            QCOMPARE(table.view.pressedCount(), 0);
            QVERIFY(!table.view.locked());
            QCOMPARE(table.game.state().CurrentPlayer, Player(1));
            QCOMPARE(table.game.state().Phase, TurnPhase::WaitingForAnchor);
        }
    }
}

void GameTest::endOfGame_data()
{
    QTest::addColumn<int>("moverDiscs");
    QTest::addColumn<int>("opponentDiscs");
    QTest::addColumn<QString>("result");
    QTest::addColumn<Rgb>("colour");
    // Player 1 moves from (0, 0) over (1, 0) to (2, 0); the other discs fill
    // the board from the top left, mover's first.
    QTest::newRow("takes the last disc") << 3 << 0 << "Выиграл Игрок-1!" << Rgb{0, 128, 0};
    QTest::newRow("fills the board level") << 29 << 32 << "Ничья!" << Rgb{128, 128, 128};
    QTest::newRow("fills the board behind") << 10 << 51 << "Выиграл Игрок-2!" << Rgb{255, 0, 0};
    QTest::newRow("fills the board ahead") << 40 << 21 << "Выиграл Игрок-1!" << Rgb{0, 128, 0};
}

void GameTest::endOfGame()
{
    QFETCH(int, moverDiscs);
    QFETCH(int, opponentDiscs);
    QFETCH(QString, result);
    QFETCH(Rgb, colour);
    BoardCells board{};
    board[Cell{0, 0}.index()] = 1;
    board[Cell{1, 0}.index()] = 2;
    int filled = 0;
    for (int index = 0; index < CellCount; ++index) {
        if (index == Cell{0, 0}.index() || index == Cell{1, 0}.index() || index == Cell{2, 0}.index())
            continue;
        if (filled < moverDiscs)
            board[index] = 1;
        else if (filled < moverDiscs + opponentDiscs)
            board[index] = 2;
        ++filled;
    }
    Table table;
    table.game.SetUpPosition(board, 1);
    table.Click({0, 0});
    table.Click({2, 0});
    table.game.CommitMove();
    QCOMPARE(table.view.results().size(), size_t(1));
    const auto &shown = table.view.results()[0];
    QCOMPARE(QString::fromStdString(shown.text), result);
    QVERIFY(shown.colour == colour);
    // The final position is drawn and released before the window opens, and
    // the mover's headline and prompt stay until the next game.
    QCOMPARE(shown.board[(Cell{2, 0}.index())], CellState(1));
    QCOMPARE(shown.board[(Cell{1, 0}.index())], CellState(1));
    QVERIFY(!shown.anyPressed);
    QCOMPARE(shown.headline, std::string("Ходит Игрок-1"));
    QCOMPARE(shown.prompt, std::string(MoveOrResetPrompt));
    QVERIFY(table.game.state().Board == StartingPosition);
}

QTEST_APPLESS_MAIN(GameTest)
#include "tst_Game.moc"
