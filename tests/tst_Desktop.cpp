// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows on a real X server under a real window manager, which frames
// them after they are mapped: each must still stand at the centre of the
// screen frame and all, and come back where the user left it.

#include "tests/TelvirTestMain.h"
#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"

namespace {

// True once the window manager has framed the window and Qt knows it.
bool Framed(const QWidget *window)
{
    return QTest::qWaitFor([window] { return window->frameGeometry().top() < window->geometry().top(); });
}

} // namespace

class DesktopTest : public WindowTest {
    Q_OBJECT

private slots:
    void centredWithTheFrame();
};

void DesktopTest::centredWithTheFrame()
{
    QVERIFY2(Framed(MainForm), "no window manager framed the main window");
    QVERIFY2(Centred(MainForm),
             qPrintable(QString("off by %1, %2").arg(OffCentre(MainForm).x()).arg(OffCentre(MainForm).y())));

    const std::function<void()> open[] = {
        [] { QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier); },
        [] { ClickCommand("GiveUpButton"); },
    };
    for (const auto &show : open) {
        QPoint firstOff(-1000, -1000);
        const QPoint left(40, 50);
        WhenModalShows([&](QDialog *modal) {
            if (Framed(modal))
                firstOff = OffCentre(modal);
            modal->move(left);
            QVERIFY(QTest::qWaitFor([modal, left] { return modal->frameGeometry().topLeft() == left; }));
            ClickOk(modal);
        });
        show();
        QTRY_VERIFY(firstOff.x() > -1000);
        QVERIFY2(qAbs(firstOff.x()) <= 1 && qAbs(firstOff.y()) <= 1,
                 qPrintable(QString("off by %1, %2").arg(firstOff.x()).arg(firstOff.y())));
        QVERIFY(QTest::qWaitForWindowActive(MainForm));

        QPoint second;
        WhenModalShows([&second](QDialog *modal) {
            Framed(modal);
            second = modal->frameGeometry().topLeft();
            ClickOk(modal);
        });
        show();
        QTRY_VERIFY(!second.isNull());
        QCOMPARE(second, left);
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    }
}

TELVIR_TEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
