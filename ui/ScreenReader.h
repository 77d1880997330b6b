// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// What a screen reader is told about the main window beyond Qt's defaults.
// The panels are groupings within the window, not windows of their own; the
// prompt line is the window's status bar; and what changed is spoken as an
// announcement (Qt 6.8 and later) or carried by an empty, sizeless notification inside
// the prompt line (Qt 6.4), which a screen reader such as Orca speaks. The
// cells speak for themselves (CellButton::InstallAccessibility).
void InstallScreenReaderSupport();

// Speaks what a sighted player sees change in the headline and the prompt,
// without moving the keyboard focus: all the changes one action makes are
// spoken together once it has finished, in a single utterance, the headline
// first. (Qt drops the event at once while no assistive technology listens.)
class Announcer {
public:
    void setNotification(QWidget *notification) { m_notification = notification; }

    void HeadlineChanged(const QString &text);
    void PromptChanged(const QString &text);
    // To be called when the window comes back in front.
    void WindowActivated();

private:
    void SpeakSoon();
    void Speak();

    QWidget *m_notification = nullptr;
    QString m_headline;
    QString m_prompt;
    bool m_scheduled = false;
};
