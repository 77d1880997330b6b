// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"
#include "ui/FormScaling.h"

#include "ui_AboutWindow.h"
#include "ui_EndGameWindow.h"

#include <QScreen>
#include <QSignalSpy>

// A form as its .ui file describes it, before any window has laid it out for
// the screen.
class BareForm : public QDialog {
    Q_OBJECT

public slots:
    void FormClose() {} // the result form connects its close to this
};

namespace {

using Closer = std::function<void(QDialog *)>;

struct Control {
    const char *name;
    QRect area;
    const char *text;
    const char *family;
    int pixels;
    bool bold;
    bool italic;
};

// Layouts at 120 dots per inch.
const Control ResultControls[] = {
    {"GameResultMsg", {25, 16, 465, 57}, nullptr, "Liberation Serif", 37, true, true},
    {"OkButton", {201, 96, 113, 33}, "&Ok", "Liberation Sans", 17, true, false},
};
const Control AboutControls[] = {
    {"OkButton", {133, 176, 113, 33}, "&Ok", "Liberation Sans", 17, true, false},
    {"StaticText1", {59, 8, 260, 61}, "Тельвир", "Liberation Serif", 50, false, false},
    {"StaticText2", {48, 84, 282, 29}, "Версия 1.2 (\"Мирдана\")", "Liberation Sans", 17, false, false},
    {"StaticText3", {51, 132, 276, 25}, nullptr, "Liberation Sans", 17, false, false},
};

void CheckForm(const QDialog *form, const char *title, QSize client, const Control *controls, int count)
{
    QCOMPARE(form->windowTitle(), QString(title));
    QCOMPARE(form->size(), client);
    QCOMPARE(form->minimumSize(), client);
    QCOMPARE(form->maximumSize(), client);
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
    QVERIFY(!form->windowIcon().isNull());
    QCOMPARE(QFontInfo(form->font()).pixelSize(), 13);
    for (int index = 0; index < count; ++index) {
        const Control &expected = controls[index];
        const QWidget *control = Find(form, expected.name);
        QCOMPARE(control->geometry(), expected.area);
        const QFontInfo font(control->font());
        QCOMPARE(font.family(), QString(expected.family));
        QCOMPARE(font.pixelSize(), expected.pixels);
        QCOMPARE(font.bold(), expected.bold);
        QCOMPARE(font.italic(), expected.italic);
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
            if (expected.text)
                QCOMPARE(label->text(), QString(expected.text));
            if (QString(expected.name) != "GameResultMsg")
                QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        }
        if (const auto *button = qobject_cast<const QPushButton *>(control)) {
            QCOMPARE(button->text(), QString(expected.text));
            QCOMPARE(button->toolTip(), QString("Закрыть окно"));
            QCOMPARE(button->toolTipDuration(), 2500);
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Closer)

class ModalWindowTest : public WindowTest {
    Q_OBJECT

private slots:

    void resultWindowLayout();
    void aboutWindowLayout();
    void closingTheResultWindow_data();
    void closingTheResultWindow();
    void escapeLeavesItOpen();
    void mainWindowTakesNoInputMeanwhile();
    void placeIsKept();
    void scalingArithmetic();
    void formsFollowTheResolution_data();
    void formsFollowTheResolution();

private:
    void giveUp();
};

void ModalWindowTest::giveUp()
{
    ClickCommand("GiveUpButton");
}

void ModalWindowTest::resultWindowLayout()
{
    QCOMPARE(ScreenDpi(MainForm->screen()), 120);
    CheckForm(EndGameForm, "Игра окончена", {515, 137}, ResultControls, std::size(ResultControls));
    QVERIFY(EndGameForm->isHidden());
    QString shownText;
    QColor shownColour;
    WhenModalShows([&](QDialog *modal) {
        const auto *message = Find<QLabel>(modal, "GameResultMsg");
        shownText = message->text();
        shownColour = message->palette().color(QPalette::WindowText);
        QCOMPARE(QApplication::focusWidget(), Find(modal, "OkButton"));
        ClickOk(modal);
    });
    giveUp();
    QCOMPARE(shownText, QString("Выиграл Игрок-2!"));
    QCOMPARE(shownColour, QColor(255, 0, 0));
    QVERIFY(EndGameForm->isHidden());
}

void ModalWindowTest::aboutWindowLayout()
{
    CheckForm(AboutForm, "О программе Тельвир", {377, 220}, AboutControls, std::size(AboutControls));
    QVERIFY(AboutForm->isHidden());
}

void ModalWindowTest::closingTheResultWindow_data()
{
    QTest::addColumn<Closer>("close");
    QTest::newRow("OK button") << Closer(ClickOk);
    QTest::newRow("close box") << Closer([](QDialog *modal) { modal->close(); });
    QTest::newRow("Enter") << Closer([](QDialog *modal) { PressKey(modal, Qt::Key_Return); });
    QTest::newRow("Space") << Closer([](QDialog *modal) { PressKey(modal, Qt::Key_Space); });
    QTest::newRow("Alt+O") << Closer([](QDialog *modal) { QTest::keyClick(modal, Qt::Key_O, Qt::AltModifier); });
}

void ModalWindowTest::closingTheResultWindow()
{
    QFETCH(Closer, close);
    ClickCell({3, 3});
    ClickCell({5, 3});
    ClickCommand("MoveButton");
    QSignalSpy closings(EndGameForm, &QDialog::finished);
    bool newGameBeforeClosing = true;
    WhenModalShows([&](QDialog *modal) {
        newGameBeforeClosing = MainForm->state().Board[Cell{4, 3}.index()] == 2;
        close(modal);
    });
    giveUp();
    QVERIFY(!newGameBeforeClosing);
    QCOMPARE(closings.size(), 1);
    // The new game was started before the modal call returned.
    QCOMPARE(MainForm->state().Board[(Cell{4, 3}.index())], CellState(2));
    QCOMPARE(MainForm->state().CurrentPlayer, Player(1));
    QCOMPARE(Headline(), QString("Ходит Игрок-1"));
    QVERIFY(EndGameForm->isHidden());
    QTRY_COMPARE(QApplication::focusWidget(), Find(MainForm, "GiveUpButton"));
}

void ModalWindowTest::escapeLeavesItOpen()
{
    for (QDialog *form : {static_cast<QDialog *>(EndGameForm), static_cast<QDialog *>(AboutForm)}) {
        bool answered = false;
        bool openAfterEscape = false;
        WhenModalShows([&](QDialog *modal) {
            PressKey(modal, Qt::Key_Escape);
            QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
            openAfterEscape = modal->isVisible();
            answered = true;
            ClickOk(modal);
        });
        if (form == EndGameForm)
            giveUp();
        else
            QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier);
        QTRY_VERIFY(answered);
        QVERIFY(openAfterEscape);
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    }
}

void ModalWindowTest::mainWindowTakesNoInputMeanwhile()
{
    // Clicks go through the window system, where modality is enforced.
    QWindow *main = MainForm->windowHandle();
    const QPoint cell = Button({3, 3})->mapTo(MainForm, Middle(Button({3, 3})));
    QTest::mouseClick(main, Qt::LeftButton, {}, cell);
    QVERIFY(Button({3, 3})->isChecked());
    ClickCommand("ResetButton");

    bool cellPressed = true;
    int dialogs = 0;
    WhenModalShows([&](QDialog *modal) {
        QTest::mouseClick(main, Qt::LeftButton, {}, cell);
        cellPressed = Button({3, 3})->isChecked();
        QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
        // A click an access key started before the window opened lands late,
        // from a timer; the game behind the window must not take it.
        Find<QPushButton>(MainForm, "GiveUpButton")->click();
        Find<QPushButton>(MainForm, "MoveButton")->click();
        QCOMPARE(MainForm->state().CurrentPlayer, Player(1));
        dialogs = QApplication::activeModalWidget() == modal ? 1 : 2;
        ClickOk(modal);
    });
    giveUp();
    QVERIFY(!cellPressed);
    QCOMPARE(dialogs, 1);
    QVERIFY(AboutForm->isHidden());
}

void ModalWindowTest::placeIsKept()
{
    bool centred = false;
    WhenModalShows([&centred](QDialog *modal) {
        centred = Centred(modal);
        modal->move(30, 40);
        ClickOk(modal);
    });
    giveUp();
    QVERIFY(centred);
    QPoint second;
    WhenModalShows([&second](QDialog *modal) {
        second = modal->pos();
        ClickOk(modal);
    });
    ClickCommand("MoveButton");
    giveUp();
    QCOMPARE(second, QPoint(30, 40));
}

void ModalWindowTest::scalingArithmetic()
{
    QCOMPARE(ScaledFontPixels(13, 96), 10);
    QCOMPARE(ScaledFontPixels(13, 120), 13);
    QCOMPARE(ScaledFontPixels(13, 144), 16);
    QCOMPARE(ScaledFontPixels(13, 192), 21);
    QCOMPARE(ScaledLength(515, 16, 16), 515);
    QCOMPARE(ScaledLength(515, 13, 16), 418); // 418.44
    QCOMPARE(ScaledLength(137, 19, 16), 163); // 162.69
    QCOMPARE(ScaledLength(201, 12, 15), 161); // 160.8
    QCOMPARE(ScaledLength(25, 12, 16), 19);   // 18.75
    QCOMPARE(ScaledLength(0, 12, 16), 0);
}

void ModalWindowTest::formsFollowTheResolution_data()
{
    // Worked out by hand from the forms' figures at 120 dots per inch. The
    // default font, 13 px there, becomes 13 * dpi / 120 px, rounded; every
    // length then follows its line height, which is 15 px for Liberation
    // Sans at 13 px, 11 px at 10 px and 17 px at 16 px.
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("result");
    QTest::addColumn<int>("resultFont");
    QTest::addColumn<QSize>("about");
    QTest::addColumn<int>("defaultFont");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<int>("okFont");
    QTest::addColumn<int>("titleFont");
    QTest::newRow("96 dpi: 11/15") << 96 << QSize(378, 100) << 27 << QSize(276, 161) << 10 << QRect(98, 129, 83, 24)
                                   << 12 << 37;
    QTest::newRow("120 dpi: as laid out")
        << 120 << QSize(515, 137) << 37 << QSize(377, 220) << 13 << QRect(133, 176, 113, 33) << 17 << 50;
    QTest::newRow("144 dpi: 17/15") << 144 << QSize(584, 155) << 42 << QSize(427, 249) << 16 << QRect(151, 199, 128, 37)
                                    << 19 << 57;
}

void ModalWindowTest::formsFollowTheResolution()
{
    QFETCH(int, dpi);
    QFETCH(QSize, result);
    QFETCH(int, resultFont);
    QFETCH(QSize, about);
    QFETCH(int, defaultFont);
    QFETCH(QRect, ok);
    QFETCH(int, okFont);
    QFETCH(int, titleFont);

    BareForm resultForm;
    Ui::TEndGameForm resultUi;
    resultUi.setupUi(&resultForm);
    LayOutForResolution(&resultForm, dpi);
    QCOMPARE(resultForm.size(), result);
    QCOMPARE(resultForm.minimumSize(), resultForm.maximumSize());
    QCOMPARE(Find(&resultForm, "GameResultMsg")->font().pixelSize(), resultFont);

    BareForm aboutForm;
    Ui::TAboutForm aboutUi;
    aboutUi.setupUi(&aboutForm);
    LayOutForResolution(&aboutForm, dpi);
    QCOMPARE(aboutForm.size(), about);
    QCOMPARE(aboutForm.font().pixelSize(), defaultFont);
    const QWidget *okButton = Find(&aboutForm, "OkButton");
    QCOMPARE(okButton->geometry(), ok);
    QCOMPARE(okButton->font().pixelSize(), okFont);
    QCOMPARE(Find(&aboutForm, "StaticText1")->font().pixelSize(), titleFont);
    // The main window never scales.
    QCOMPARE(MainForm->centralWidget()->size(), QSize(464, 389));
}

TELVIR_TEST_MAIN(ModalWindowTest)
#include "tst_ModalWindow.moc"
