// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random mouse and keyboard input on the real windows, checked after every
// event against the game state. `--seed N` and `--events N` replay a run.

#include "tests/ReferenceRules.h"
#include "tests/TestOptions.h"
#include "tests/WindowDriver.h"

#include "ui/Application.h"

#include <QAccessible>
#include <QMenu>

#include <random>

namespace {

long long Seed = 20261207;
long long EventBudget = 20'000;

const QStringList PromptsByPhase[3] = {
    {"Укажи первую бьющую фишку.", "Укажи на СВОЮ фишку!"},
    {"Куда ставим новую фишку?", "Укажи СВОБОДНУЮ клетку!", "Кого там бить собрался?"},
    {"Ход или сброс?"},
};

// What the windows show must agree with the game state.
QString Disagreement()
{
    if (QApplication::activeModalWidget())
        return "a modal window stayed open";
    const GameState &state = MainForm->state();
    CellSet pressed;
    for (int index = 0; index < CellCount; ++index) {
        const Cell cell = Cell::fromIndex(index);
        if (MainForm->shownCell(cell) != state.Board[index])
            return QStringLiteral("cell (%1, %2) shows the wrong picture").arg(cell.column).arg(cell.row);
        pressed.set(index, Button(cell)->isChecked());
    }
    if (const auto mismatch = PhaseMismatch(state, pressed, !Find(MainForm, "BoardPanel")->isEnabled()))
        return QString::fromStdString(*mismatch);
    const QString mover = state.CurrentPlayer == 1 ? "Ходит Игрок-1" : "Ходит Игрок-2";
    if (Headline() != mover)
        return "headline " + Headline();
    const QColor colour = Find(MainForm, "BigMessage")->palette().color(QPalette::WindowText);
    if (colour != (state.CurrentPlayer == 1 ? QColor(0, 128, 0) : QColor(255, 0, 0)))
        return "headline colour";
    const int phase = static_cast<int>(state.Phase);
    if (!PromptsByPhase[phase].contains(Prompt()))
        return "prompt " + Prompt() + " in phase " + QString::number(phase);
    return {};
}

class Monkey {
public:
    explicit Monkey(std::mt19937_64 &random) : Random(random) {}

    int roll(int sides) { return static_cast<int>(Random() % static_cast<unsigned>(sides)); }

    // A cell worth clicking now, or any cell.
    Cell cell()
    {
        const GameState &state = MainForm->state();
        if (roll(2) == 0)
            return Cell::fromIndex(roll(CellCount));
        std::optional<Cell> chosen;
        int seen = 0;
        ForEachCapture(state.Board, state.CurrentPlayer, [&](Capture capture) {
            const bool anchorPicked = state.Phase == TurnPhase::WaitingForTarget;
            if (anchorPicked && !(capture.anchor == Cell{state.AnchorColumn, state.AnchorRow}))
                return;
            if (roll(++seen) == 0)
                chosen = anchorPicked ? capture.target : capture.anchor;
        });
        return chosen.value_or(Cell::fromIndex(roll(CellCount)));
    }

    QWidget *keyTarget() { return QApplication::focusWidget() ? QApplication::focusWidget() : MainForm; }

    // Alt with a Cyrillic access letter, which QTest::keyClick cannot type.
    void altLetter(QWidget *target, char16_t capital)
    {
        const QString letter = QString(QChar(capital)).toLower();
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(capital), letter, Qt::AltModifier);
    }

    void act()
    {
        switch (roll(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            ClickCell(cell());
            break;
        case 5:
            ClickCell(cell(), roll(2) ? Qt::RightButton : Qt::MiddleButton);
            break;
        case 6: {
            CellButton *button = Button(cell());
            QTest::mousePress(button, Qt::LeftButton, {}, Middle(button));
            QTest::mouseMove(button, QPoint(-5, 50));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, 50));
            break;
        }
        case 7: {
            CellButton *button = Button(cell());
            QTest::mouseClick(button, Qt::LeftButton, {}, Middle(button));
            QTest::mouseDClick(button, Qt::LeftButton, {}, Middle(button));
            QTest::mouseRelease(button, Qt::LeftButton, {}, Middle(button));
            break;
        }
        case 8:
        case 9:
            ClickCommand("MoveButton");
            break;
        case 10:
            ClickCommand("ResetButton");
            break;
        case 11:
            if (roll(4) == 0)
                ClickCommand("GiveUpButton");
            break;
        case 12:
            QTest::keyClick(keyTarget(), roll(2) ? Qt::Key_Tab : Qt::Key_Backtab);
            break;
        case 13:
            QTest::keyClick(keyTarget(), roll(2) ? Qt::Key_Return : Qt::Key_Space);
            break;
        case 14:
            QTest::keyClick(keyTarget(), roll(2) ? Qt::Key_Escape : Qt::Key_F1);
            break;
        case 15: {
            // Alt with the access letters Х, б, д of the three buttons.
            const char16_t letters[] = {u'Х', u'Б', u'Д'};
            altLetter(keyTarget(), letters[roll(3)]);
            break;
        }
        case 16:
            if (roll(3) == 0)
                QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
            break;
        case 17: {
            // Open a menu with its access letter (П, С), then close it again.
            altLetter(MainForm, roll(2) ? u'П' : u'С');
            if (QWidget *menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
            if (QWidget *menu = QApplication::activePopupWidget())
                menu->close();
            break;
        }
        case 18:
            // A screen reader's "press".
            QAccessible::queryAccessibleInterface(Button(cell()))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
            break;
        default:
            ClickCell(cell());
            break;
        }
    }

    // While a modal window is up: a few things that must not close it, then
    // one of the ways that must.
    void answerModal(QDialog *modal)
    {
        ++Modals;
        QWindow *main = MainForm->windowHandle();
        for (int extra = roll(3); extra > 0; --extra) {
            switch (roll(3)) {
            case 0:
                QTest::keyClick(modal, Qt::Key_Escape);
                break;
            case 1:
                QTest::mouseClick(main, Qt::LeftButton, {}, Button(cell())->mapTo(MainForm, QPoint(20, 20)));
                break;
            default:
                QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
                break;
            }
            if (!modal->isVisible())
                QFAIL("the modal window closed on a key or click that must not close it");
        }
        switch (roll(5)) {
        case 0: ClickOk(modal); break;
        case 1: PressKey(modal, Qt::Key_Return); break;
        case 2: PressKey(modal, Qt::Key_Space); break;
        case 3:
            // An access key works in the active window, and finishes its
            // click a moment later.
            QVERIFY(QTest::qWaitForWindowActive(modal));
            QTest::keyClick(modal->windowHandle(), Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!modal->isVisible());
            break;
        default: modal->close(); break;
        }
    }

    int Modals = 0;

private:
    std::mt19937_64 &Random;
};

} // namespace

class MainWindowRandomPlayTest : public QObject {
    Q_OBJECT

private slots:
    void randomInputKeepsTheWindowsTrue();
};

void MainWindowRandomPlayTest::randomInputKeepsTheWindowsTrue()
{
    std::unique_ptr<TelvirWindows> windows;
    QVERIFY(OpenWindows(windows));
    std::mt19937_64 random(static_cast<std::uint64_t>(Seed));
    Monkey monkey(random);

    // Modal windows run their own event loop; this answers them from inside it.
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, [&monkey] {
        if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget()); modal && modal->isVisible())
            monkey.answerModal(modal);
    });
    modalWatch.start(0);

    for (long long event = 0; event < EventBudget; ++event) {
        monkey.act();
        const QString wrong = Disagreement();
        if (!wrong.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(Seed).arg(event + 1).arg(wrong)));
    }
    qInfo("seed %lld: %lld events, %d modal windows", Seed, EventBudget, monkey.Modals);
    QVERIFY(monkey.Modals > 0);
}

int main(int argc, char *argv[])
{
    std::vector<char *> rest = TakeNumberOptions(argc, argv, {{"--seed", &Seed}, {"--events", &EventBudget}});
    PrepareEnvironment();
    QApplication application(argc, argv);
    PrepareApplication(application);
    MainWindowRandomPlayTest test;
    return QTest::qExec(&test, static_cast<int>(rest.size()), rest.data());
}
#include "tst_MainWindowRandomPlay.moc"
