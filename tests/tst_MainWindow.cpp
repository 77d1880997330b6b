// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/Colours.h"
#include "tests/Prompts.h"
#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "app/Application.h"
#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"

#include <QAccessible>
#include <QAction>
#include <QFrame>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>

#include <numeric>

Q_DECLARE_METATYPE(Cell)

namespace {

QColor TextColour(const QWidget *control, QPalette::ColorRole role)
{
    return control->palette().color(QPalette::Active, role);
}

QImage Look(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor FaceColour()
{
    return Button({0, 0})->palette().color(QPalette::Active, QPalette::Button);
}
QColor HighlightColour()
{
    return Button({0, 0})->palette().color(QPalette::Active, QPalette::Light);
}

// Counts how often each cell button paints itself.
class CellPaints : public QObject {
public:
    CellPaints()
    {
        for (int index = 0; index < CellCount; ++index)
            Button(Cell::fromIndex(index))->installEventFilter(this);
    }
    int of(Cell cell) const { return m_paints.value(Button(cell)); }
    int total() const { return std::accumulate(m_paints.cbegin(), m_paints.cend(), 0); }
    void clear() { m_paints.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    QHash<const QObject *, int> m_paints;
};

} // namespace

class MainWindowTest : public WindowTest {
    Q_OBJECT

private slots:

    void windowFrame();
    void controls_data();
    void controls();
    void commandsAndMenu();
    void keyboard();
    void startingBoard();
    void cellNumbering();
    void cellClicks();
    void wrongTargetClicks();
    void lockedBoard();
    void cellLooks();
    void clicksFromOtherButtonsAreIgnored();
    void resetAndGiveUpButtons();
    void wholeGame();
    void aboutWindow();
    void accessibility();
    void screenReaderHearsChanges();
};

void MainWindowTest::windowFrame()
{
    QCOMPARE(MainForm->windowTitle(), QString("Тельвир"));
    QCOMPARE(QApplication::applicationName(), QString("Telvir"));
    QVERIFY(QApplication::applicationDisplayName() == QApplication::applicationName());
    QCOMPARE(MainForm->centralWidget()->geometry(), QRect(0, MainForm->menuBar()->height(), 464, 389));
    QCOMPARE(MainForm->size(), QSize(464, 389 + MainForm->menuBar()->height()));
    QCOMPARE(MainForm->minimumSize(), MainForm->size());
    QCOMPARE(MainForm->maximumSize(), MainForm->size());
    const Qt::WindowFlags flags = MainForm->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!MainForm->windowIcon().isNull());
    QVERIFY(Centred(MainForm));
}

void MainWindowTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");
    const QColor black(0, 0, 0);
    QTest::newRow("headline") << "BigMessage" << QRect(0, 0, 464, 29) << "Liberation Sans" << 23 << true
                              << QColor(Green);
    QTest::newRow("prompt") << "StatusLine" << QRect(0, 29, 464, 22) << "Liberation Sans" << 17 << false << black;
    QTest::newRow("command panel") << "CommandPanel" << QRect(344, 116, 110, 139) << "Liberation Sans" << 17 << true
                                   << black;
    QTest::newRow("Move") << "MoveButton" << QRect(8, 8, 95, 37) << "Liberation Sans" << 17 << true << black;
    QTest::newRow("Reset") << "ResetButton" << QRect(8, 51, 95, 37) << "Liberation Sans" << 17 << true << black;
    QTest::newRow("Give up") << "GiveUpButton" << QRect(8, 95, 95, 37) << "Liberation Sans" << 17 << true << black;
    QTest::newRow("board") << "BoardPanel" << QRect(10, 60, 320, 320) << "Liberation Sans" << 13 << false << QColor();
    QTest::newRow("empty picture") << "FreeCellImg" << QRect(344, 264, 36, 36) << "" << 0 << false << QColor();
    QTest::newRow("player 1 picture") << "Player1CellImg" << QRect(392, 264, 36, 36) << "" << 0 << false << QColor();
    QTest::newRow("player 2 picture") << "Player2CellImg" << QRect(344, 312, 36, 36) << "" << 0 << false << QColor();
    QTest::newRow("first cell") << "SpeedButton0" << QRect(0, 0, 40, 40) << "" << 0 << false << QColor();
    QTest::newRow("cell 9") << "SpeedButton9" << QRect(40, 40, 40, 40) << "" << 0 << false << QColor();
    QTest::newRow("last cell") << "SpeedButton63" << QRect(280, 280, 40, 40) << "" << 0 << false << QColor();
}

void MainWindowTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, area);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);
    const QWidget *control = Find(MainForm, qPrintable(name));
    QCOMPARE(control->geometry(), area);
    if (!family.isEmpty()) {
        const QFontInfo font(control->font());
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
    }
    if (colour.isValid()) {
        const auto role = qobject_cast<const QLabel *>(control) ? QPalette::WindowText : QPalette::ButtonText;
        QCOMPARE(TextColour(control, role), colour);
    }
    if (const auto *label = qobject_cast<const QLabel *>(control); label && label->pixmap().isNull())
        QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    if (name.endsWith("Img"))
        QVERIFY(!control->isVisible());
    if (name.endsWith("Panel")) {
        const auto *panel = qobject_cast<const QFrame *>(control);
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QCOMPARE(panel->lineWidth(), 1);
    }
}

void MainWindowTest::commandsAndMenu()
{
    const struct {
        const char *name;
        const char *caption;
        const char *tooltip;
    } commands[] = {
        {"MoveButton", "&Ход", "Закончить ход"},
        {"ResetButton", "С&брос", "Сбросить текущий ход"},
        {"GiveUpButton", "С&даюсь!", "Текущий игрок сдается!"},
    };
    for (const auto &command : commands) {
        const auto *button = Find<QPushButton>(MainForm, command.name);
        QCOMPARE(button->text(), QString(command.caption));
        QCOMPARE(button->toolTip(), QString(command.tooltip));
        QCOMPARE(button->toolTipDuration(), 2500);
    }
    QCOMPARE(MainForm->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);

    const struct {
        const char *name;
        const char *text;
        const char *shortcut;
        bool enabled;
    } items[] = {
        {"ExitGame", "&Выход", "Ctrl+X", true},
        {"GameRules", "&Правила игры", "F1", false},
        {"GameAbout", "&О Программе...", "Ctrl+A", true},
    };
    for (const auto &item : items) {
        const auto *action = MainForm->findChild<QAction *>(item.name);
        QVERIFY(action);
        QCOMPARE(action->text(), QString(item.text));
        QCOMPARE(action->shortcut(), QKeySequence(item.shortcut));
        QCOMPARE(action->isEnabled(), item.enabled);
    }
    const QList<QAction *> menus = MainForm->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QString("&Партия"));
    QCOMPARE(menus[1]->text(), QString("&Справка"));
    QCOMPARE(menus[1]->menu()->actions().size(), 2);

    // Exit asks the application to end.
    QSignalSpy exits(MainForm->findChild<QAction *>("ExitGame"), &QAction::triggered);
    QTest::keyClick(MainForm, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(exits.size(), 1);
}

void MainWindowTest::keyboard()
{
    QCOMPARE(QApplication::focusWidget(), Find(MainForm, "MoveButton"));
    const char *order[] = {"ResetButton", "GiveUpButton", "MoveButton", "ResetButton"};
    for (const char *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find(MainForm, next));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Find(MainForm, "MoveButton"));
    for (int index = 0; index < CellCount; ++index)
        QCOMPARE(MainForm->cellButton(Cell::fromIndex(index))->focusPolicy(), Qt::NoFocus);

    // Clicking a cell leaves the focus where it was.
    ClickCell({3, 3});
    QCOMPARE(QApplication::focusWidget(), Find(MainForm, "MoveButton"));
    ClickCommand("ResetButton");
    QCOMPARE(QApplication::focusWidget(), Find(MainForm, "ResetButton"));

    // Enter and Space press the focused button: here Move, which passes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Headline(), QString("Ходит Игрок-2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));

    // F1 does nothing.
    QTest::keyClick(MainForm, Qt::Key_F1);
    QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::startingBoard()
{
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));
    QCOMPARE(TextColour(Find(MainForm, "BigMessage"), QPalette::WindowText), QColor(Green));
    QCOMPARE(Prompt(), QString(FirstDiscPrompt));
    int discs = 0;
    for (int index = 0; index < CellCount; ++index) {
        const Cell cell = Cell::fromIndex(index);
        QCOMPARE(MainForm->shownCell(cell), MainForm->state().Board[index]);
        QVERIFY(!Button(cell)->picture().isNull());
        QVERIFY(!Button(cell)->isChecked());
        discs += MainForm->shownCell(cell) != EmptyCell ? 1 : 0;
    }
    QCOMPARE(discs, 4);
    // The middle of each cell shows its owner's colour.
    const QImage board = Look(Find(MainForm, "BoardPanel"));
    QCOMPARE(board.pixelColor(3 * 40 + 20, 3 * 40 + 20), QColor(Green));
    QCOMPARE(board.pixelColor(3 * 40 + 20, 4 * 40 + 20), QColor(Green));
    QCOMPARE(board.pixelColor(4 * 40 + 20, 3 * 40 + 20), QColor(255, 0, 0));
    QCOMPARE(board.pixelColor(4 * 40 + 20, 4 * 40 + 20), QColor(255, 0, 0));
    QCOMPARE(board.pixelColor(5 * 40 + 20, 3 * 40 + 20), FaceColour());
}

void MainWindowTest::cellNumbering()
{
    const struct {
        int number;
        int column;
        int row;
    } cells[] = {{0, 0, 0}, {7, 7, 0}, {8, 0, 1}, {9, 1, 1}, {27, 3, 3}, {63, 7, 7}};
    for (const auto &cell : cells) {
        const auto *button = Find<CellButton>(MainForm, qPrintable(QStringLiteral("SpeedButton%1").arg(cell.number)));
        QCOMPARE(CellColumn(*button), cell.column);
        QCOMPARE(CellRow(*button), cell.row);
        QCOMPARE(Button({cell.column, cell.row}), button);
    }
}

void MainWindowTest::cellClicks()
{
    // The right and middle buttons do nothing.
    ClickCell({3, 3}, Qt::RightButton);
    ClickCell({3, 3}, Qt::MiddleButton);
    QVERIFY(!Button({3, 3})->isChecked());
    QCOMPARE(Prompt(), QString(FirstDiscPrompt));

    // A press released away from the cell cancels the click.
    QTest::mousePress(Button({3, 3}), Qt::LeftButton, {}, Middle(Button({3, 3})));
    QTest::mouseRelease(Button({3, 3}), Qt::LeftButton, {}, QPoint(-30, 20));
    QVERIFY(!Button({3, 3})->isChecked());
    QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForAnchor);

    // An empty cell is not the mover's: it does not stay pressed.
    ClickCell({0, 0});
    QVERIFY(!Button({0, 0})->isChecked());
    QCOMPARE(Prompt(), QString(NotOwnDiscPrompt));

    // A double click on an own disc is two clicks: the anchor, then the anchor again.
    QTest::mouseClick(Button({3, 3}), Qt::LeftButton, {}, Middle(Button({3, 3})));
    QCOMPARE(Prompt(), QString(TargetPrompt));
    QTest::mouseDClick(Button({3, 3}), Qt::LeftButton, {}, Middle(Button({3, 3})));
    QTest::mouseRelease(Button({3, 3}), Qt::LeftButton, {}, Middle(Button({3, 3})));
    QCOMPARE(Prompt(), QString(OccupiedPrompt));
    QVERIFY(Button({3, 3})->isChecked());
    QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForTarget);

    ClickCell({5, 3});
    QCOMPARE(Prompt(), QString(MoveOrResetPrompt));
    for (Cell cell : {Cell{3, 3}, Cell{4, 3}, Cell{5, 3}})
        QVERIFY(Button(cell)->isChecked());
    QVERIFY(!Find(MainForm, "BoardPanel")->isEnabled());
}

void MainWindowTest::wrongTargetClicks()
{
    ClickCell({3, 3});
    const struct {
        Cell cell;
        const char *prompt;
    } clicks[] = {
        {{3, 3}, OccupiedPrompt},  {{3, 4}, OccupiedPrompt},  {{4, 4}, OccupiedPrompt},
        {{4, 2}, NoCapturePrompt}, {{5, 4}, NoCapturePrompt},
    };
    for (const auto &click : clicks) {
        ClickCell(click.cell);
        QCOMPARE(Prompt(), QString(click.prompt));
        QVERIFY(Button({3, 3})->isChecked());
        QCOMPARE(Button(click.cell)->isChecked(), (click.cell == Cell{3, 3}));
        QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForTarget);
        QVERIFY(Find(MainForm, "BoardPanel")->isEnabled());
    }
}

void MainWindowTest::lockedBoard()
{
    ClickCell({3, 3});
    ClickCell({5, 5});
    const QImage locked = Look(Find(MainForm, "BoardPanel"));
    for (Cell cell : {Cell{4, 4}, Cell{0, 0}, Cell{3, 4}}) {
        const bool pressed = Button(cell)->isChecked();
        ClickCell(cell);
        QTest::mouseDClick(Button(cell), Qt::LeftButton, {}, Middle(Button(cell)));
        QCOMPARE(Button(cell)->isChecked(), pressed);
        QCOMPARE(Prompt(), QString(MoveOrResetPrompt));
    }
    QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForMoveOrReset);
    // Locking changes nothing that can be seen on the board.
    Find(MainForm, "BoardPanel")->setEnabled(true);
    QCOMPARE(Look(Find(MainForm, "BoardPanel")), locked);
}

void MainWindowTest::cellLooks()
{
    const QColor face = FaceColour();
    const QColor light = HighlightColour();
    CellButton *cell = Button({0, 0});

    // Released: the empty picture's outer ring crosses its middle row at
    // picture column 1, drawn two pixels in from the button's edge.
    QImage look = Look(cell);
    QCOMPARE(look.pixelColor(3, 19), QColor(Teal));
    QCOMPARE(look.pixelColor(4, 19), face);
    QCOMPARE(look.pixelColor(3, 3), face); // a transparent corner
    QCOMPARE(look.pixelColor(4, 3), face);

    // Held down: sunken and shifted, but no checkerboard.
    QTest::mousePress(cell, Qt::LeftButton, {}, Middle(cell));
    look = Look(cell);
    QCOMPARE(look.pixelColor(4, 20), QColor(Teal));
    QCOMPARE(look.pixelColor(3, 3), face);
    QCOMPARE(look.pixelColor(4, 3), face);
    // Away from the cell with the button still held it looks released again.
    QTest::mouseMove(cell, QPoint(-20, 20));
    QCOMPARE(Look(cell).pixelColor(3, 19), QColor(Teal));
    QTest::mouseRelease(cell, Qt::LeftButton, {}, QPoint(-20, 20));

    // Pressed: sunken, shifted, and a one-pixel checkerboard of face and highlight.
    ClickCell({3, 3});
    look = Look(Button({3, 3}));
    QVERIFY(look.pixelColor(3, 3) != look.pixelColor(4, 3));
    QCOMPARE(look.pixelColor(3, 3), look.pixelColor(4, 4));
    const QSet<QRgb> checkerboard{look.pixel(3, 3), look.pixel(4, 3)};
    QCOMPARE(checkerboard, (QSet<QRgb>{face.rgb(), light.rgb()}));
    QCOMPARE(look.pixelColor(20, 21), QColor(Green));
    QCOMPARE(look.pixelColor(2 + 1 + 1, 2 + 1 + 17), QColor(0, 0, 0)); // outer outline, shifted
    // Raised and sunken frames differ.
    QVERIFY(Look(Button({0, 0})).pixel(0, 0) != look.pixel(0, 0));
}

void MainWindowTest::clicksFromOtherButtonsAreIgnored()
{
    QPushButton stranger;
    QObject::connect(&stranger, SIGNAL(clicked()), MainForm, SLOT(BoardPoint()));
    stranger.click();
    QCOMPARE(Prompt(), QString(FirstDiscPrompt));
    QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForAnchor);
}

void MainWindowTest::resetAndGiveUpButtons()
{
    ClickCell({3, 3});
    ClickCell({5, 3});
    ClickCommand("ResetButton");
    QVERIFY(NoCellPressed());
    QVERIFY(Find(MainForm, "BoardPanel")->isEnabled());
    QCOMPARE(Prompt(), QString(FirstDiscPrompt));

    // Give-up with a line marked: player 2 wins, and the next game starts clean.
    ClickCell({3, 3});
    ClickCell({5, 3});
    QString result;
    WhenModalShows([&result](QDialog *modal) {
        result = Find<QLabel>(modal, "GameResultMsg")->text();
        ClickOk(modal);
    });
    ClickCommand("GiveUpButton");
    QCOMPARE(result, QString("Выиграл Игрок-2!"));
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));
    QVERIFY(Find(MainForm, "BoardPanel")->isEnabled());
    QVERIFY(NoCellPressed());
}

void MainWindowTest::wholeGame()
{
    // Player 1 takes one red disc, player 2 passes, player 1 takes the other.
    ClickCell({3, 3});
    ClickCell({5, 3});
    CellPaints paints;
    ClickCommand("MoveButton");
    QCoreApplication::processEvents();
    QCOMPARE(Headline(), QString("Ходит Игрок-2"));
    QCOMPARE(TextColour(Find(MainForm, "BigMessage"), QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(MainForm->shownCell({4, 3}), CellState(1));
    QVERIFY(paints.of({4, 3}) > 0);
    // A pass changes no cell, so none is drawn again.
    paints.clear();
    ClickCommand("MoveButton");
    QCoreApplication::processEvents();
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));
    QCOMPARE(paints.total(), 0);
    ClickCell({3, 4});
    ClickCell({5, 4});

    QString result;
    QColor colour;
    QString headline;
    QString prompt;
    CellState taken = EmptyCell;
    WhenModalShows([&](QDialog *modal) {
        const auto *message = Find<QLabel>(modal, "GameResultMsg");
        result = message->text();
        colour = TextColour(message, QPalette::WindowText);
        headline = Headline();
        prompt = Prompt();
        taken = MainForm->shownCell({4, 4});
        QVERIFY(!MainForm->isEnabled() || QApplication::activeModalWidget() == modal);
        ClickOk(modal);
    });
    ClickCommand("MoveButton");
    QCOMPARE(result, QString("Выиграл Игрок-1!"));
    QCOMPARE(colour, QColor(Green));
    QCOMPARE(headline, QString("Ходит Игрок-1"));
    QCOMPARE(prompt, QString(MoveOrResetPrompt));
    QCOMPARE(taken, CellState(1));

    // The next game starts from the starting position, clean.
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));
    QCOMPARE(Prompt(), QString(FirstDiscPrompt));
    QCOMPARE(MainForm->shownCell({4, 4}), CellState(2));
    QCOMPARE(MainForm->shownCell({5, 3}), CellState(0));
    QVERIFY(Find(MainForm, "BoardPanel")->isEnabled());
    QVERIFY(NoCellPressed());
    QTRY_COMPARE(QApplication::focusWidget(), Find(MainForm, "MoveButton"));
}

void MainWindowTest::aboutWindow()
{
    ClickCell({3, 3});
    ClickCommand("ResetButton");
    ClickCell({3, 3});
    const GameState before = MainForm->state();
    for (int time = 0; time < 3; ++time) {
        QString title;
        WhenModalShows([&title](QDialog *modal) {
            title = modal->windowTitle();
            PressKey(modal, Qt::Key_Return);
        });
        QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
        QTRY_COMPARE(title, QString("О программе Тельвир"));
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    }
    QCOMPARE(MainForm->state().Board, before.Board);
    QCOMPARE(MainForm->state().Phase, TurnPhase::WaitingForTarget);
    QVERIFY(Button({3, 3})->isChecked());
    QCOMPARE(Prompt(), QString(TargetPrompt));
    // The focus goes back where it was.
    QCOMPARE(QApplication::focusWidget(), Find(MainForm, "ResetButton"));
}

namespace {

QAccessibleInterface *Accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

void MainWindowTest::accessibility()
{
    // (Without a screen reader on the accessibility bus Qt sends no change
    // events, so only what a reader would ask for is checked here.)
    const auto press = QAccessibleActionInterface::pressAction();

    QCOMPARE(Accessible(Button({0, 0}))->text(QAccessible::Name), QString("a8: пусто"));
    QCOMPARE(Accessible(Button({7, 7}))->text(QAccessible::Name), QString("h1: пусто"));
    QCOMPARE(Accessible(Button({3, 3}))->text(QAccessible::Name), QString("d5: зелёная фишка"));
    QCOMPARE(Accessible(Button({4, 4}))->text(QAccessible::Name), QString("e4: красная фишка"));

    QAccessibleInterface *anchor = Accessible(Button({3, 3}));
    QVERIFY(anchor->state().checkable);
    QVERIFY(!anchor->state().checked);
    QCOMPARE(anchor->actionInterface()->actionNames(), QStringList{press});

    // "Press" is a left click, answered by the rules.
    anchor->actionInterface()->doAction(press);
    QCOMPARE(Prompt(), QString(TargetPrompt));
    QVERIFY(anchor->state().checked);
    Accessible(Button({0, 0}))->actionInterface()->doAction(press);
    QCOMPARE(Prompt(), QString(NoCapturePrompt));
    QVERIFY(!Accessible(Button({0, 0}))->state().checked);
    Accessible(Button({5, 3}))->actionInterface()->doAction(press);
    QCOMPARE(Prompt(), QString(MoveOrResetPrompt));
    // A locked board takes no presses either.
    Accessible(Button({0, 0}))->actionInterface()->doAction(press);
    Accessible(Button({4, 3}))->actionInterface()->doAction(press);
    QVERIFY(!Button({0, 0})->isChecked());
    QVERIFY(Button({4, 3})->isChecked());

    QAccessibleInterface *move = Accessible(Find(MainForm, "MoveButton"));
    QCOMPARE(move->text(QAccessible::Name), QString("Ход"));
    QCOMPARE(move->text(QAccessible::Description), QString("Закончить ход"));
    QCOMPARE(Accessible(Find(MainForm, "GiveUpButton"))->text(QAccessible::Description),
             QString("Текущий игрок сдается!"));
    ClickCommand("MoveButton");
    QCOMPARE(Accessible(Button({4, 3}))->text(QAccessible::Name), QString("e5: зелёная фишка"));

    QAccessibleInterface *gameMenu = Accessible(MainForm->findChild<QMenu *>("GameMenu"));
    QCOMPARE(gameMenu->child(0)->text(QAccessible::Name), QString("Выход"));
    QAccessibleInterface *helpMenu = Accessible(MainForm->findChild<QMenu *>("HelpMenu"));
    QCOMPARE(helpMenu->child(1)->text(QAccessible::Name), QString("О Программе..."));
    QVERIFY(helpMenu->child(0)->state().disabled);

    // Modality holds for assistive technology as it does for the mouse.
    bool pressedBehindModal = true;
    QString promptBehindModal;
    WhenModalShows([&](QDialog *modal) {
        Accessible(Button({4, 4}))->actionInterface()->doAction(press);
        pressedBehindModal = Button({4, 4})->isChecked();
        promptBehindModal = Prompt();
        ClickOk(modal);
    });
    QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
    QTRY_VERIFY(AboutForm->isHidden() && !promptBehindModal.isEmpty());
    QVERIFY(!pressedBehindModal);
    QCOMPARE(promptBehindModal, QString(FirstDiscPrompt));
}

void MainWindowTest::screenReaderHearsChanges()
{
    // One window: its panels are groupings within it, not frames of their own.
    QCOMPARE(Accessible(Find(MainForm, "CommandPanel"))->role(), QAccessible::Grouping);
    QCOMPARE(Accessible(Find(MainForm, "BoardPanel"))->role(), QAccessible::Grouping);
    QCOMPARE(Accessible(Find(MainForm, "StatusLine"))->role(), QAccessible::StatusBar);
    QCOMPARE(Accessible(Find(MainForm, "StatusLine"))->text(QAccessible::Name), Prompt());
    QCOMPARE(Accessible(Button({0, 0}))->role(), QAccessible::CheckBox);
    QCOMPARE(Find(MainForm, "Announcement")->size(), QSize(0, 0));

    // Each action that changes what a sighted player sees is spoken once,
    // the headline before the prompt, and a screen reader is told of each
    // cell that changes once (Qt tells it as the cell toggles); an action
    // that changes nothing tells nothing. (Without a screen reader Qt sends
    // no events, so what the notification carries is read instead.)
    struct Step {
        const char *command; // or else a click on the cell
        Cell cell;
        QString heard;
        int cellsToggled;
    };
    const Step steps[] = {
        {nullptr, {3, 3}, TargetPrompt, 1},
        {nullptr, {4, 3}, OccupiedPrompt, 0},
        {nullptr, {4, 4}, "", 0},
        {nullptr, {3, 3}, "", 0}, // the anchor, pressed already
        {nullptr, {5, 3}, MoveOrResetPrompt, 2},
        {"MoveButton", {}, "Ходит Игрок-2. Укажи первую бьющую фишку.", 3},
        {"ResetButton", {}, "", 0},
        {nullptr, {0, 0}, NotOwnDiscPrompt, 0},
    };
    QWidget *notification = Find(MainForm, "Announcement");
    QCoreApplication::processEvents(); // the first game, announced as the window came up
    int toggled = 0;
    const QObject counting; // the counter's connections end with it
    for (CellButton *button : MainForm->findChildren<CellButton *>())
        connect(button, &QAbstractButton::toggled, &counting, [&toggled] { ++toggled; });
    for (const Step &step : steps) {
        notification->setAccessibleName({});
        toggled = 0;
        if (step.command)
            ClickCommand(step.command);
        else
            ClickCell(step.cell);
        QCoreApplication::processEvents();
        QCOMPARE(notification->accessibleName(), step.heard);
        QCOMPARE(toggled, step.cellsToggled);
    }

    // The result window's text is read as part of the window. Nothing is
    // said while another window is in front, since a screen reader drops
    // what a window behind says: what changed meanwhile, as the new game
    // that closing the result window starts, is said once the main window
    // is back in front; so is a prompt that alone changed (player 1's new
    // game behind the About window, after player 1 picked an anchor).
    struct Behind {
        std::function<void()> open;
        QString heardBefore;
        QString heardAfter;
    };
    const Behind behind[] = {
        {[] { ClickCommand("GiveUpButton"); }, NotOwnDiscPrompt, "Ходит Игрок-1. Укажи первую бьющую фишку."},
        {[] {
             ClickCell({3, 3});
             QCoreApplication::processEvents();
             QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
         },
         TargetPrompt, FirstDiscPrompt},
    };
    for (const Behind &window : behind) {
        QString heardBehind;
        WhenModalShows([&](QDialog *modal) {
            MainForm->NewGame(); // as closing the result window does
            QCoreApplication::processEvents();
            heardBehind = notification->accessibleName();
            ClickOk(modal);
        });
        window.open(); // About opens from the event loop
        QTRY_COMPARE(heardBehind, window.heardBefore);
        QTRY_COMPARE(notification->accessibleName(), window.heardAfter);
    }
    QCOMPARE(Accessible(EndGameForm)->text(QAccessible::Description), QString("Выиграл Игрок-1!"));
}

TELVIR_TEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
