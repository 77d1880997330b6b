// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ScreenReader.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

// A widget shown to assistive technology with another role, and with its
// label's text as its name.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto *label = qobject_cast<const QLabel *>(widget());
        if (kind == QAccessible::Name && label && widget()->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *CreateAccessible(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    // Qt (6.4 to 6.11) shows a plain frame as a "frame", which Orca (43 to
    // 51) takes for a window.
    if (className == QLatin1String("QFrame"))
        return new RoleAccessible(widget, QAccessible::Grouping);
    if (object->objectName() == QLatin1String("StatusLine"))
        return new RoleAccessible(widget, QAccessible::StatusBar);
    if (object->objectName() == QLatin1String("Announcement"))
        return new RoleAccessible(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

void InstallScreenReaderSupport()
{
    QAccessible::installFactory(CreateAccessible);
}

void Announcer::HeadlineChanged(const QString &text)
{
    m_headline = text;
    SpeakSoon();
}

void Announcer::PromptChanged(const QString &text)
{
    m_prompt = text;
    SpeakSoon();
}

void Announcer::WindowActivated()
{
    if (!m_headline.isEmpty() || !m_prompt.isEmpty())
        SpeakSoon();
}

void Announcer::SpeakSoon()
{
    // Once, after the action that made the changes has finished.
    const auto speak = [this] { Speak(); };
    if (!m_scheduled)
        QMetaObject::invokeMethod(m_notification, speak, Qt::QueuedConnection);
    m_scheduled = true;
}

void Announcer::Speak()
{
    m_scheduled = false;
    // Orca drops what a window says while another one is in front, as when
    // closing the result window starts a new game; that is said once the
    // window is back in front.
    if (!m_notification->isActiveWindow())
        return;
    QStringList changes{m_headline, m_prompt};
    changes.removeAll(QString());
    m_headline.clear();
    m_prompt.clear();
    // The notification holds what was said last, whichever way it was said.
    m_notification->setAccessibleName(changes.join(QStringLiteral(". ")));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 and later make an announcement, which a screen reader speaks
    // as it stands; Orca 48 and 51 would introduce the notification as one
    // first.
    QAccessibleAnnouncementEvent announcement(m_notification->window(), m_notification->accessibleName());
    QAccessible::updateAccessibility(&announcement);
#else
    // Qt 6.4 has no announcements: the notification appears, and a screen
    // reader speaks its name.
    QAccessibleEvent appeared(m_notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appeared);
#endif
}
