// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/WindowDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include <cstdio>

bool OpenWindows(std::unique_ptr<TelvirWindows> &windows)
{
    QTest::failOnWarning(QRegularExpression("QDialog::exec|QObject::connect"));
    windows = std::make_unique<TelvirWindows>();
    MainForm->show();
    MainForm->activateWindow(); // as the program does
    return QTest::qWaitForWindowActive(MainForm);
}

void WindowTest::init()
{
    // Qt only warns of a painter misused; here that fails the test.
    QTest::failOnWarning(QRegularExpression("^QPainter::"));
    QVERIFY(OpenWindows(m_windows));
}

void WindowTest::cleanup()
{
    m_windows.reset();
}

QString Headline()
{
    return Find<QLabel>(MainForm, "BigMessage")->text();
}
QString Prompt()
{
    return Find<QLabel>(MainForm, "StatusLine")->text();
}
CellButton *Button(Cell cell)
{
    return MainForm->cellButton(cell);
}
bool NoCellPressed()
{
    for (int index = 0; index < CellCount; ++index) {
        if (Button(Cell::fromIndex(index))->isChecked())
            return false;
    }
    return true;
}
QPoint Middle(const QWidget *widget)
{
    return widget->rect().center();
}

bool CentredIn(const QRect &frame, const QRect &area)
{
    const QPoint off = frame.center() - area.center();
    return qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1;
}

bool Centred(const QWidget *window)
{
    return CentredIn(window->frameGeometry(), window->screen()->availableGeometry());
}

void ClickCell(Cell cell, Qt::MouseButton button)
{
    QTest::mouseClick(Button(cell), button, {}, Middle(Button(cell)));
}

void ClickCommand(const char *name)
{
    auto *button = Find<QPushButton>(MainForm, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, Middle(button));
}

void WhenModalShows(std::function<void(QDialog *)> inside)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, inside] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal) {
            if (waited->elapsed() > 5000) {
                poll->deleteLater();
                // A modal window that never got the keyboard is closed, or
                // the test would wait in it for ever.
                if (modal)
                    modal->done(QDialog::Rejected);
                QFAIL(modal ? "the modal window never got the keyboard" : "no modal window opened");
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        inside(modal);
        if (modal->isVisible()) {
            QTimer::singleShot(1000, modal, [modal] {
                if (modal->isVisible()) {
                    modal->done(QDialog::Rejected);
                    QFAIL("the modal window stayed open");
                }
            });
        }
    });
    poll->start(5);
}

int PlayAsProgram(int &argc, char *argv[], const std::function<void()> &scenario)
{
    return RunTelvir(argc, argv, [&scenario] { QMetaObject::invokeMethod(qApp, scenario, Qt::QueuedConnection); });
}

ProgramRun RunAsProgram(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), arguments);
    ProgramRun run;
    run.ended = program.waitForFinished(30000) && program.exitStatus() == QProcess::NormalExit;
    run.status = program.exitCode();
    run.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

void StandInReady()
{
    std::puts("ready");
    std::fflush(stdout);
}

bool StartStandIn(QProcess &standIn, const QStringList &arguments)
{
    standIn.start(QCoreApplication::applicationFilePath(), arguments);
    return standIn.waitForReadyRead(10000) && standIn.readLine() == "ready\n";
}

bool StopStandIn(QProcess &standIn)
{
    standIn.closeWriteChannel();
    return standIn.waitForFinished(10000);
}

void ClickOk(QDialog *modal)
{
    auto *ok = Find<QPushButton>(modal, "OkButton");
    QTest::mouseClick(ok, Qt::LeftButton, {}, Middle(ok));
}

void PressKey(QDialog *modal, Qt::Key key)
{
    QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
    QTest::keyClick(target, key);
}

#include "moc_WindowDriver.cpp"
