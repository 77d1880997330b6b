// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random mouse and keyboard input on the real windows, checked after every
// event against the game state. `--seed N` and `--events N` replay a run.

#include "tests/Prompts.h"
#include "tests/ReferenceRules.h"
#include "tests/TelvirTestMain.h"
#include "tests/TestOptions.h"
#include "tests/WindowDriver.h"

#include "app/Application.h"

#include <QAccessible>
#include <QMenu>
#include <QTimer>

#include <random>

namespace {

long long Seed = 20261207;
long long EventBudget = 20'000;

const QStringList PromptsByPhase[3] = {
    {FirstDiscPrompt, NotOwnDiscPrompt},
    {TargetPrompt, OccupiedPrompt, NoCapturePrompt},
    {MoveOrResetPrompt},
};

// What the windows show must agree with the game state.
QString Disagreement()
{
    if (QApplication::activeModalWidget())
        return "a modal window stayed open";
    const GameState &state = MainForm->state();
    for (int index = 0; index < CellCount; ++index) {
        const Cell cell = Cell::fromIndex(index);
        if (MainForm->shownCell(cell) != state.Board[index])
            return QStringLiteral("cell (%1, %2) shows the wrong picture").arg(cell.column).arg(cell.row);
    }
    const CellSet pressed = CellsWhere([](Cell cell) { return Button(cell)->isChecked(); });
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
    explicit Monkey(std::mt19937_64 &random) : m_random(random) {}

    int Roll(int sides) { return static_cast<int>(m_random() % static_cast<unsigned>(sides)); }

    // A cell worth clicking now, or any cell.
    Cell PickCell()
    {
        const GameState &state = MainForm->state();
        if (Roll(2) == 0)
            return Cell::fromIndex(Roll(CellCount));
        std::optional<Cell> chosen;
        int seen = 0;
        ForEachCapture(state.Board, state.CurrentPlayer, [&](Capture capture) {
            const bool anchorPicked = state.Phase == TurnPhase::WaitingForTarget;
            if (anchorPicked && !(capture.anchor == Cell{state.AnchorColumn, state.AnchorRow}))
                return;
            if (Roll(++seen) == 0)
                chosen = anchorPicked ? capture.target : capture.anchor;
        });
        return chosen.value_or(Cell::fromIndex(Roll(CellCount)));
    }

    QWidget *keyTarget() { return QApplication::focusWidget() ? QApplication::focusWidget() : MainForm; }

    // Alt with a Cyrillic access letter, which QTest::keyClick cannot type.
    void AltLetter(QWidget *target, char16_t capital)
    {
        const QString letter = QString(QChar(capital)).toLower();
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(capital), letter, Qt::AltModifier);
    }

    void Act()
    {
        switch (Roll(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            ClickCell(PickCell());
            break;
        case 5:
            ClickCell(PickCell(), Roll(2) ? Qt::RightButton : Qt::MiddleButton);
            break;
        case 6: {
            CellButton *button = Button(PickCell());
            QTest::mousePress(button, Qt::LeftButton, {}, Middle(button));
            QTest::mouseMove(button, QPoint(-5, 50));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, 50));
            break;
        }
        case 7: {
            CellButton *button = Button(PickCell());
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
            if (Roll(4) == 0)
                ClickCommand("GiveUpButton");
            break;
        case 12:
            QTest::keyClick(keyTarget(), Roll(2) ? Qt::Key_Tab : Qt::Key_Backtab);
            break;
        case 13:
            QTest::keyClick(keyTarget(), Roll(2) ? Qt::Key_Return : Qt::Key_Space);
            break;
        case 14:
            QTest::keyClick(keyTarget(), Roll(2) ? Qt::Key_Escape : Qt::Key_F1);
            break;
        case 15: {
            // Alt with the access letters Х, б, д of the three buttons.
            const char16_t letters[] = {u'Х', u'Б', u'Д'};
            AltLetter(keyTarget(), letters[Roll(3)]);
            break;
        }
        case 16:
            if (Roll(3) == 0)
                QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
            break;
        case 17: {
            // Open a menu with its access letter (П, С), then close it again.
            AltLetter(MainForm, Roll(2) ? u'П' : u'С');
            if (QWidget *menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
            if (QWidget *menu = QApplication::activePopupWidget())
                menu->close();
            break;
        }
        case 18:
            // A screen reader's "press".
            QAccessible::queryAccessibleInterface(Button(PickCell()))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
            break;
        default:
            ClickCell(PickCell());
            break;
        }
    }

    // While a modal window is up: a few things that must not close it, then
    // one of the ways that must.
    void AnswerModal(QDialog *modal)
    {
        ++m_modals;
        QWindow *main = MainForm->windowHandle();
        for (int extra = Roll(3); extra > 0; --extra) {
            switch (Roll(3)) {
            case 0:
                QTest::keyClick(modal, Qt::Key_Escape);
                break;
            case 1:
                QTest::mouseClick(main, Qt::LeftButton, {}, Button(PickCell())->mapTo(MainForm, QPoint(20, 20)));
                break;
            default:
                QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
                break;
            }
            if (!modal->isVisible())
                QFAIL("the modal window closed on a key or click that must not close it");
        }
        switch (Roll(5)) {
        case 0:
            ClickOk(modal);
            break;
        case 1:
            PressKey(modal, Qt::Key_Return);
            break;
        case 2:
            PressKey(modal, Qt::Key_Space);
            break;
        case 3:
            // An access key works in the active window, and finishes its
            // click a moment later.
            QVERIFY(QTest::qWaitForWindowActive(modal));
            QTest::keyClick(modal->windowHandle(), Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!modal->isVisible());
            break;
        default:
            modal->close();
            break;
        }
    }

    // How many modal windows it has met so far.
    int modals() const { return m_modals; }

private:
    std::mt19937_64 &m_random;
    int m_modals = 0;
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
            monkey.AnswerModal(modal);
    });
    modalWatch.start(0);

    for (long long event = 0; event < EventBudget; ++event) {
        monkey.Act();
        const QString wrong = Disagreement();
        if (!wrong.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(Seed).arg(event + 1).arg(wrong)));
    }
    qInfo("seed %lld: %lld events, %d modal windows", Seed, EventBudget, monkey.modals());
    QVERIFY(monkey.modals() > 0);
}

int main(int argc, char *argv[])
{
    return ExecWithTelvirStartUp<MainWindowRandomPlayTest>(
        argc, argv, TakeNumberOptions(argc, argv, {{"--seed", &Seed}, {"--events", &EventBudget}}));
}
#include "tst_MainWindowRandomPlay.moc"
