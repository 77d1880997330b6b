// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MainWindow.h"

#include "ui/AboutWindow.h"
#include "ui/CellButton.h"
#include "ui/EndGameWindow.h"
#include "ui/FormFonts.h"
#include "ui/Text.h"
#include "ui_MainWindow.h"

#include <QLayout>

TMainForm *MainForm = nullptr;

namespace {

// Every pixel that has the colour of the picture's bottom-left pixel is
// background and lets the button's face show through.
QPixmap WithTransparentBackground(QPixmap picture)
{
    const QColor background = picture.toImage().pixelColor(0, picture.height() - 1);
    picture.setMask(picture.createMaskFromColor(background, Qt::MaskInColor));
    return picture;
}

// What a screen reader says for a cell holding 0, 1 or 2: "d4: зелёная фишка",
// with the columns lettered from the left and the rows numbered 8 down to 1.
QString CellDescription(Cell cell, CellState value)
{
    static const char *const contents[] = {"пусто", "зелёная фишка", "красная фишка"};
    return QStringLiteral("%1%2: %3")
        .arg(QChar(u'a' + cell.column))
        .arg(BoardSide - cell.row)
        .arg(QString::fromUtf8(contents[value]));
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::TMainForm>())
{
    m_ui->setupUi(this);
    m_announcer.setNotification(m_ui->Announcement);
    UsePixelFontSizes(this);
    m_texts.Adopt(this);
    // Fixed size with a minimise button but no maximise, neither as a button
    // nor by double-clicking the title bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Initialize();
}

TMainForm::~TMainForm() = default;

void TMainForm::Initialize()
{
    InitBtnPtrs();
    m_game.NewGame();
}

void TMainForm::InitBtnPtrs()
{
    m_designPictures = {WithTransparentBackground(m_ui->FreeCellImg->pixmap()),
                        WithTransparentBackground(m_ui->Player1CellImg->pixmap()),
                        WithTransparentBackground(m_ui->Player2CellImg->pixmap())};
    for (int number = 0; number < CellCount; ++number) {
        auto *button = m_ui->BoardPanel->findChild<CellButton *>(QStringLiteral("SpeedButton%1").arg(number),
                                                                 Qt::FindDirectChildrenOnly);
        button->setNumber(number);
        const Cell cell = CellOf(*button);
        m_cellButtons[cell.index()] = button;
        m_shownBoard[cell.index()] = NotDrawnYet;
    }
    FitPicturesToScheme();
}

void TMainForm::FollowScheme()
{
    m_texts.Refresh();
    FitPicturesToScheme();
}

void TMainForm::FitPicturesToScheme()
{
    const QColor face = m_ui->BoardPanel->palette().color(QPalette::Active, QPalette::Button);
    for (std::size_t state = 0; state < m_cellPictures.size(); ++state)
        m_cellPictures[state] = LegiblePicture(m_designPictures[state], face);
    for (int index = 0; index < CellCount; ++index) {
        if (m_shownBoard[index] < m_cellPictures.size())
            m_cellButtons[index]->setPicture(m_cellPictures[m_shownBoard[index]]);
    }
}

void TMainForm::setVisible(bool visible)
{
    m_placement.SetVisible(this, visible, [this](bool shown) { QMainWindow::setVisible(shown); });
}

void TMainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        KeepNormalSize(this);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_announcer.WindowActivated();
    if (IsSchemeChange(event))
        QMetaObject::invokeMethod(this, &TMainForm::FollowScheme, Qt::QueuedConnection);
    QMainWindow::changeEvent(event);
}

void TMainForm::NewGame()
{
    m_game.NewGame();
}

void TMainForm::BoardPoint()
{
    const auto *button = qobject_cast<const CellButton *>(sender());
    if (!button || button->number() < 0)
        return;
    const Cell cell = CellOf(*button);
    if (cellButton(cell) != button)
        return;
    m_clicked = cell;
    m_game.CellClicked(cell);
    if (m_clicked)
        SetCellPressed(cell, IsCellPressed(cell));
}

void TMainForm::MoveButtonClick()
{
    if (takesInput())
        m_game.CommitMove();
}

void TMainForm::ResetButtonClick()
{
    if (takesInput())
        m_game.ResetTurn();
}

void TMainForm::GiveUpButtonClick()
{
    if (takesInput())
        m_game.GiveUp();
}

void TMainForm::ExitGameClick()
{
    QCoreApplication::quit();
}

void TMainForm::GameAboutClick()
{
    // Opened from the event loop rather than from inside the shortcut that
    // asked for it: Qt's shortcut map is busy until that shortcut returns, and
    // the About window's own access key would not work meanwhile.
    QMetaObject::invokeMethod(this, &TMainForm::ShowAboutWindow, Qt::QueuedConnection);
}

void TMainForm::ShowAboutWindow()
{
    if (takesInput())
        AboutForm->exec();
}

bool TMainForm::takesInput() const
{
    // Modality stops the mouse and keys, but a click that an access key
    // started is finished by a timer a moment later, which may fall inside a
    // modal window's loop, even after the window has hidden; it must not act
    // on the game behind the window, nor open a second one.
    return !ModalWindow::isAnyOpen();
}

void TMainForm::ShowHeadline(std::string_view text, Rgb colour)
{
    ShowText(m_ui->BigMessage, text, &Announcer::HeadlineChanged);
    m_texts.SetColour(m_ui->BigMessage, ToQColor(colour));
}

void TMainForm::ShowPrompt(std::string_view text)
{
    ShowText(m_ui->StatusLine, text, &Announcer::PromptChanged);
}

void TMainForm::ShowText(QLabel *label, std::string_view text, void (Announcer::*changed)(const QString &))
{
    const QString shown = ToQString(text);
    if (shown == label->text())
        return;
    label->setText(shown);
    (m_announcer.*changed)(shown);
}

void TMainForm::SetCellPressed(Cell cell, bool pressed)
{
    if (m_clicked == cell)
        m_clicked.reset();
    cellButton(cell)->setChecked(pressed);
}

bool TMainForm::IsCellPressed(Cell cell) const
{
    return cellButton(cell)->isChecked() != (m_clicked == cell);
}

void TMainForm::SetBoardLocked(bool locked)
{
    m_ui->BoardPanel->setEnabled(!locked);
}

void TMainForm::RefreshBoard(const BoardCells &board)
{
    for (int index = 0; index < CellCount; ++index) {
        if (board[index] == m_shownBoard[index])
            continue;
        if (board[index] < m_cellPictures.size()) {
            m_cellButtons[index]->setPicture(m_cellPictures[board[index]]);
            m_cellButtons[index]->setAccessibleName(CellDescription(Cell::fromIndex(index), board[index]));
        }
        m_shownBoard[index] = board[index];
    }
}

void TMainForm::ShowResultWindow(std::string_view text, Rgb colour)
{
    EndGameForm->ShowResult(ToQString(text), colour);
}

#include "moc_MainWindow.cpp"
