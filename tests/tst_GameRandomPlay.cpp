// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play against a small independent model of the rules, checked after
// every action. A failure prints the seed and the shortest list of actions
// that still fails; `tst_GameRandomPlay --seed N [--actions N]` replays a run.

#include "tests/FakeView.h"
#include "tests/Prompts.h"
#include "tests/ReferenceRules.h"
#include "tests/TestOptions.h"

#include <QTest>

#include <optional>
#include <random>
#include <sstream>
#include <vector>

namespace {

long long Seed = 20261207;
constexpr long long DefaultBudget = 1'200'000;
long long ActionBudget = DefaultBudget;

enum class Kind : std::uint8_t { Click, ClickThroughLock, Move, Reset, GiveUp };

struct Action {
    Kind kind;
    std::uint8_t cell = 0; // for clicks: the board index
};

std::string Describe(const Action &action)
{
    const Cell cell = Cell::fromIndex(action.cell);
    std::ostringstream text;
    switch (action.kind) {
    case Kind::Click:
        text << "click(" << cell.column << "," << cell.row << ")";
        break;
    case Kind::ClickThroughLock:
        text << "forced-click(" << cell.column << "," << cell.row << ")";
        break;
    case Kind::Move:
        text << "move";
        break;
    case Kind::Reset:
        text << "reset";
        break;
    case Kind::GiveUp:
        text << "give-up";
        break;
    }
    return text.str();
}

// What the rules should do, written as plainly as possible.
struct Model {
    BoardCells board{};
    Player player = 1;
    int phase = 0;
    Cell anchor;
    CellSet pressed;
    bool locked = false;
    std::string prompt;
    std::string headline;
    int finished = 0;
    std::string result;

    void NewGame()
    {
        board.fill(EmptyCell);
        board[Cell{3, 3}.index()] = board[Cell{3, 4}.index()] = 1;
        board[Cell{4, 3}.index()] = board[Cell{4, 4}.index()] = 2;
        pressed.reset();
        player = 1;
        StartTurn();
    }
    void StartTurn()
    {
        phase = 0;
        locked = false;
        headline = player == 1 ? "Ходит Игрок-1" : "Ходит Игрок-2";
        prompt = FirstDiscPrompt;
    }
    void Finish(std::string text)
    {
        ++finished;
        result = std::move(text);
        NewGame();
    }
    void Apply(const Action &action)
    {
        const Player other = player == 1 ? 2 : 1;
        const Cell cell = Cell::fromIndex(action.cell);
        switch (action.kind) {
        case Kind::Click:
        case Kind::ClickThroughLock:
            if (locked)
                return;
            if (phase == 0) {
                if (board[action.cell] == player) {
                    anchor = cell;
                    pressed.set(action.cell);
                    phase = 1;
                    prompt = TargetPrompt;
                } else {
                    prompt = NotOwnDiscPrompt;
                }
            } else if (board[action.cell] != EmptyCell) {
                prompt = OccupiedPrompt;
            } else if (const CellSet line = ReferenceCapture(board, anchor, cell, other); line.any()) {
                pressed = line;
                phase = 2;
                locked = true;
                prompt = MoveOrResetPrompt;
            } else {
                prompt = NoCapturePrompt;
            }
            return;
        case Kind::Move: {
            if (phase == 1)
                return;
            int mine = 0, theirs = 0, empty = 0;
            for (int index = 0; index < CellCount; ++index) {
                if (pressed[index])
                    board[index] = player;
                mine += board[index] == player;
                theirs += board[index] == other;
                empty += board[index] == EmptyCell;
            }
            pressed.reset();
            const Player mover = player;
            player = other;
            if (mine && theirs && empty)
                StartTurn();
            else if (mine == theirs)
                Finish("Ничья!");
            else
                Finish(mine > theirs ? (mover == 1 ? "Выиграл Игрок-1!" : "Выиграл Игрок-2!")
                                     : (other == 1 ? "Выиграл Игрок-1!" : "Выиграл Игрок-2!"));
            return;
        }
        case Kind::Reset:
            pressed.reset();
            StartTurn();
            return;
        case Kind::GiveUp:
            Finish(other == 1 ? "Выиграл Игрок-1!" : "Выиграл Игрок-2!");
            return;
        }
    }
};

// Games through the real rules and the recording view.
struct Table : FakeTable {
    void Apply(const Action &action)
    {
        const Cell cell = Cell::fromIndex(action.cell);
        switch (action.kind) {
        case Kind::Click:
            // A locked board takes no clicks, as in the window.
            if (!view.locked())
                view.Click(game, cell);
            break;
        case Kind::ClickThroughLock:
            view.Click(game, cell);
            break;
        case Kind::Move:
            game.CommitMove();
            break;
        case Kind::Reset:
            game.ResetTurn();
            break;
        case Kind::GiveUp:
            game.GiveUp();
            break;
        }
    }
};

struct Snapshot {
    BoardCells board;
    Player player;
    int phase;
    CellSet pressed;
    bool locked;
    std::string prompt;
    std::string headline;
    std::size_t results;

    explicit Snapshot(const Table &table)
        : board(table.game.state().Board), player(table.game.state().CurrentPlayer),
          phase(static_cast<int>(table.game.state().Phase)), pressed(PressedSet(table.view.pressed())),
          locked(table.view.locked()), prompt(table.view.prompt()), headline(table.view.headline()),
          results(table.view.results().size())
    {
    }
    bool sameButPrompt(const Snapshot &other) const
    {
        return board == other.board && player == other.player && phase == other.phase && pressed == other.pressed
               && locked == other.locked && headline == other.headline && results == other.results;
    }
};

// The invariants the rules must keep, whatever the model says.
std::optional<std::string> Invariants(const Table &table, const Snapshot &before, const Action &action)
{
    const GameState &state = table.game.state();
    const Snapshot after(table);
    for (CellState cell : state.Board) {
        if (cell > 2)
            return "a cell holds " + std::to_string(cell);
    }
    if (table.view.shown() != state.Board)
        return "the pictures do not follow the board";
    const bool gameEnded = after.results != before.results;
    if (!gameEnded && action.kind != Kind::Move && after.board != before.board)
        return "the board changed without a move";
    if (action.kind == Kind::Move && before.phase != 1) {
        const BoardCells &final = gameEnded ? table.view.results().back().board : state.Board;
        for (int index = 0; index < CellCount; ++index) {
            const bool changed = final[index] != before.board[index];
            if (changed && (!before.pressed[index] || final[index] != before.player))
                return "the move changed a cell that was not marked";
        }
        if (before.pressed.none() && gameEnded)
            return "a pass ended the game";
    }
    if (const auto mismatch = PhaseMismatch(state, after.pressed, after.locked))
        return mismatch;
    const bool click = action.kind == Kind::Click || action.kind == Kind::ClickThroughLock;
    if (click && after.phase == before.phase && !after.sameButPrompt(before))
        return "a wrong click changed more than the prompt";
    return std::nullopt;
}

std::optional<std::string> AgreesWithModel(const Table &table, const Model &model)
{
    const GameState &state = table.game.state();
    if (state.Board != model.board)
        return "board";
    if (state.CurrentPlayer != model.player || static_cast<int>(state.Phase) != model.phase)
        return "player or phase";
    if (PressedSet(table.view.pressed()) != model.pressed || table.view.locked() != model.locked)
        return "pressed cells or lock";
    if (table.view.prompt() != model.prompt || table.view.headline() != model.headline)
        return "prompt or headline";
    if (table.view.headlineColour() != (model.player == 1 ? Rgb{0, 128, 0} : Rgb{255, 0, 0}))
        return "headline colour";
    if (static_cast<int>(table.view.results().size()) != model.finished)
        return "number of finished games";
    if (model.finished && table.view.results().back().text != model.result)
        return "result text";
    return std::nullopt;
}

// Replays a game's actions from a new game; the first disagreement, if any.
std::optional<std::string> Replay(const std::vector<Action> &actions)
{
    Table table;
    Model model;
    model.NewGame();
    for (std::size_t step = 0; step < actions.size(); ++step) {
        const Snapshot before(table);
        table.Apply(actions[step]);
        model.Apply(actions[step]);
        auto failure = Invariants(table, before, actions[step]);
        if (!failure)
            failure = AgreesWithModel(table, model);
        if (failure)
            return "after " + Describe(actions[step]) + " (step " + std::to_string(step + 1) + "): " + *failure;
    }
    return std::nullopt;
}

// Drops actions one at a time while the failure remains.
std::vector<Action> Shrink(std::vector<Action> actions)
{
    for (std::size_t at = actions.size(); at-- > 0;) {
        std::vector<Action> shorter = actions;
        shorter.erase(shorter.begin() + static_cast<long>(at));
        if (Replay(shorter))
            actions = std::move(shorter);
    }
    return actions;
}

// Chooses the next action: "quitters" click anywhere and give up early,
// "finishers" mostly play legal captures so their games end on the board.
class RandomPlayer {
public:
    explicit RandomPlayer(std::mt19937_64 &random) : m_random(random) {}

    void NewGame() { m_finisher = m_random() % 10 < 4; }

    Action Next(const Model &model)
    {
        const int roll = static_cast<int>(m_random() % 1000);
        const auto anyCell = [this] { return static_cast<std::uint8_t>(m_random() % CellCount); };
        if (!m_finisher) {
            if (roll < 30)
                return {Kind::GiveUp};
            if (roll < 80)
                return {Kind::Reset};
            if (roll < 180)
                return {Kind::Move};
            return {roll < 230 ? Kind::ClickThroughLock : Kind::Click, anyCell()};
        }
        if (roll < 20)
            return {Kind::Click, anyCell()};
        if (roll < 25)
            return {Kind::Reset};
        switch (model.phase) {
        case 0: {
            const auto capture = PickCapture(model);
            return capture ? Action{Kind::Click, static_cast<std::uint8_t>(capture->anchor.index())}
                           : Action{Kind::Move};
        }
        case 1: {
            const auto capture = PickCapture(model, model.anchor);
            return capture ? Action{Kind::Click, static_cast<std::uint8_t>(capture->target.index())}
                           : Action{Kind::Reset};
        }
        default:
            return {Kind::Move};
        }
    }

private:
    std::optional<Capture> PickCapture(const Model &model, std::optional<Cell> from = std::nullopt)
    {
        std::optional<Capture> chosen;
        int seen = 0;
        ForEachCapture(model.board, model.player, [&](Capture capture) {
            if (from && !(capture.anchor == *from))
                return;
            if (m_random() % ++seen == 0)
                chosen = capture;
        });
        return chosen;
    }

    std::mt19937_64 &m_random;
    bool m_finisher = false;
};

} // namespace

class GameRandomPlayTest : public QObject {
    Q_OBJECT

private slots:
    void randomPlayAgreesWithTheModel();
};

void GameRandomPlayTest::randomPlayAgreesWithTheModel()
{
    std::mt19937_64 random(static_cast<std::uint64_t>(Seed));
    RandomPlayer player(random);
    Table table;
    Model model;
    model.NewGame();
    player.NewGame();
    std::vector<Action> game;
    long long actions = 0;
    while (actions < ActionBudget) {
        Action action = player.Next(model);
        if (game.size() > 3000)
            action = {Kind::GiveUp}; // both sides passing for ever
        game.push_back(action);
        ++actions;
        const Snapshot before(table);
        table.Apply(action);
        model.Apply(action);
        auto failure = Invariants(table, before, action);
        if (!failure)
            failure = AgreesWithModel(table, model);
        if (failure) {
            const std::vector<Action> shortest = Shrink(game);
            std::string list;
            for (const Action &step : shortest)
                list += Describe(step) + " ";
            QFAIL(qPrintable(QStringLiteral("seed %1, game %2: %3\nshortest failing game: %4")
                                 .arg(Seed)
                                 .arg(model.finished + 1)
                                 .arg(QString::fromStdString(*failure), QString::fromStdString(list))));
        }
        if (static_cast<int>(table.view.results().size()) != static_cast<int>(before.results)) {
            game.clear();
            player.NewGame();
        }
    }
    qInfo("seed %lld: %lld actions, %d finished games", Seed, actions, model.finished);
    if (ActionBudget == DefaultBudget)
        QVERIFY(model.finished >= 10'000);
}

int main(int argc, char *argv[])
{
    std::vector<char *> rest = TakeNumberOptions(argc, argv, {{"--seed", &Seed}, {"--actions", &ActionBudget}});
    GameRandomPlayTest test;
    return QTest::qExec(&test, static_cast<int>(rest.size()), rest.data());
}
#include "tst_GameRandomPlay.moc"
