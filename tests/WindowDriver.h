// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Application.h"
#include "ui/CellButton.h"
#include "ui/MainWindow.h"

#include <QDialog>
#include <QLabel>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

class QProcess;

// Helpers for driving the real windows the way a user does.

// Creates the three windows and shows the main one; true once it is active.
// From then on a nested modal loop or a form's connection to a slot that
// does not exist fails the running test.
bool OpenWindows(std::unique_ptr<TelvirWindows> &windows);

// The base of the window tests: each test function gets the three windows
// anew, with the main one shown and active.
class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

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

QString Headline();
QString Prompt();
CellButton *Button(Cell cell);
bool NoCellPressed();
QPoint Middle(const QWidget *widget);

// Whether a frame stands at the centre of an area, within a pixel; and so
// the window with its frame, as far as Qt knows it, in its screen's work area.
bool CentredIn(const QRect &frame, const QRect &area);
bool Centred(const QWidget *window);

void ClickCell(Cell cell, Qt::MouseButton button = Qt::LeftButton);
void ClickCommand(const char *name);

// Runs `inside` from within the event loop of the next modal window, once it
// is up and active, so that it has the keyboard as the user would. If
// `inside` leaves the window open, it is closed after a second and the test
// fails, so no test can wait for ever on a modal window.
void WhenModalShows(std::function<void(QDialog *)> inside);

// A test that needs the program as a whole process runs its own executable
// again as the program: PlayAsProgram() runs the program with `scenario`
// played from inside its event loop once the main window is shown, and
// RunAsProgram() starts that run with `arguments` and waits for its end.
int PlayAsProgram(int &argc, char *argv[], const std::function<void()> &scenario);
struct ProgramRun {
    bool ended = false; // by itself, within half a minute
    int status = -1;
    QString errors; // what it wrote on standard error
};
ProgramRun RunAsProgram(const QStringList &arguments,
                        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// A stand-in for a part of a desktop (a window manager, a settings manager),
// run as this same executable with `arguments`: StandInReady() is its side,
// once it is there; StartStandIn() starts it and waits for that, ten
// seconds at most; StopStandIn() closes its standard input, at which it
// ends, and waits for its end.
void StandInReady();
bool StartStandIn(QProcess &standIn, const QStringList &arguments);
bool StopStandIn(QProcess &standIn);

void ClickOk(QDialog *modal);
void PressKey(QDialog *modal, Qt::Key key);
