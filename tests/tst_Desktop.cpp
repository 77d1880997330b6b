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

// Qt hears of the frame, and of where the window manager put the window, a
// moment after the window is mapped: true once the window is framed and
// stands as expected, false if that does not happen within a few seconds.
bool FramedAndPlaced(const QWidget *window, const std::function<bool()> &placed)
{
    return QTest::qWaitFor([&] { return window->frameGeometry().top() < window->geometry().top() && placed(); });
}

QString Where(const QWidget *window)
{
    return QStringLiteral("frame at %1, %2, off the centre by %3, %4")
        .arg(window->frameGeometry().x())
        .arg(window->frameGeometry().y())
        .arg(OffCentre(window).x())
        .arg(OffCentre(window).y());
}

} // namespace

class DesktopTest : public WindowTest {
    Q_OBJECT

private slots:
    void centredWithTheFrame();
};

void DesktopTest::centredWithTheFrame()
{
    QVERIFY2(FramedAndPlaced(MainForm, [] { return Centred(MainForm); }), qPrintable(Where(MainForm)));

    const std::function<void()> open[] = {
        [] { QTest::keyClick(MainForm, Qt::Key_A, Qt::ControlModifier); },
        [] { ClickCommand("GiveUpButton"); },
    };
    for (const auto &show : open) {
        const QPoint left(40, 50);
        bool centred = false;
        QString first;
        WhenModalShows([&](QDialog *modal) {
            centred = FramedAndPlaced(modal, [modal] { return Centred(modal); });
            first = Where(modal);
            modal->move(left); // as the user leaves it
            QVERIFY(FramedAndPlaced(modal, [modal, left] { return modal->frameGeometry().topLeft() == left; }));
            ClickOk(modal);
        });
        show();
        QTRY_VERIFY(!first.isEmpty());
        QVERIFY2(centred, qPrintable(first));
        QVERIFY(QTest::qWaitForWindowActive(MainForm));

        bool kept = false;
        QString second;
        WhenModalShows([&](QDialog *modal) {
            kept = FramedAndPlaced(modal, [modal, left] { return modal->frameGeometry().topLeft() == left; });
            second = Where(modal);
            ClickOk(modal);
        });
        show();
        QTRY_VERIFY(!second.isEmpty());
        QVERIFY2(kept, qPrintable(second));
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    }
}

TELVIR_TEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
