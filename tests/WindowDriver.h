// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Application.h"
#include "ui/CellButton.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Helpers for driving the real windows the way a user does.

// Creates the three windows and shows the main one; true once it is active.
// From then on a nested modal loop or a form's connection to a slot that
// does not exist fails the running test.
inline bool OpenWindows(std::unique_ptr<TelvirWindows> &windows)
{
    QTest::failOnWarning(QRegularExpression("QDialog::exec|QObject::connect"));
    windows = std::make_unique<TelvirWindows>();
    MainForm->show();
    MainForm->activateWindow(); // as the program does
    return QTest::qWaitForWindowActive(MainForm);
}

// The base of the window tests: each test function gets the three windows
// anew, with the main one shown and active.
class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(OpenWindows(m_windows)); }
    void cleanup() { m_windows.reset(); }

private:
    std::unique_ptr<TelvirWindows> m_windows;
};

template <typename Control = QWidget>
Control *Find(const QWidget *window, const char *name)
{
    auto *control = window->findChild<Control *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

inline QString Headline()
{
    return Find<QLabel>(MainForm, "BigMessage")->text();
}
inline QString Prompt()
{
    return Find<QLabel>(MainForm, "StatusLine")->text();
}
inline CellButton *Button(Cell cell)
{
    return MainForm->cellButton(cell);
}
inline bool NoCellPressed()
{
    for (int index = 0; index < CellCount; ++index) {
        if (Button(Cell::fromIndex(index))->isChecked())
            return false;
    }
    return true;
}
inline QPoint Middle(const QWidget *widget)
{
    return widget->rect().center();
}

// How far the window with its frame (as far as Qt knows it) stands from the
// centre of its screen.
inline QPoint OffCentre(const QWidget *window)
{
    const QRect screen = window->screen()->availableGeometry();
    const QRect outer = window->frameGeometry();
    return outer.topLeft() - screen.topLeft()
           - QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

inline bool Centred(const QWidget *window)
{
    const QPoint off = OffCentre(window);
    return qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1;
}

inline void ClickCell(Cell cell, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(Button(cell), button, {}, Middle(Button(cell)));
}

inline void ClickCommand(const char *name)
{
    auto *button = Find<QPushButton>(MainForm, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, Middle(button));
}

// Runs `inside` from within the event loop of the next modal window, once it
// is up and active, so that it has the keyboard as the user would. If
// `inside` leaves the window open, it is closed after a second and the test
// fails, so no test can wait for ever on a modal window.
inline void WhenModalShows(std::function<void(QDialog *)> inside)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, inside] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal) {
            if (waited->elapsed() > 5000) {
                poll->deleteLater();
                QFAIL("no modal window opened");
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

inline void ClickOk(QDialog *modal)
{
    auto *ok = Find<QPushButton>(modal, "OkButton");
    QTest::mouseClick(ok, Qt::LeftButton, {}, Middle(ok));
}

inline void PressKey(QDialog *modal, Qt::Key key)
{
    QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
    QTest::keyClick(target, key);
}
