// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/CellButton.h"

#include "ui/Legibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPainter>
#include <qdrawutil.h>

namespace {

constexpr int FrameWidth = 2;

// Qt's own interface for a checkable button offers "toggle", which would
// press a cell behind the rules' back; a cell offers only a real click.
class CellButtonAccessible : public QAccessibleWidget {
public:
    explicit CellButtonAccessible(CellButton *button) : QAccessibleWidget(button, QAccessible::CheckBox) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        // Like the mouse, it does nothing on a locked board, nor behind a
        // modal window: modality stops only the window system's input.
        const QWidget *modal = QApplication::activeModalWidget();
        if (action == pressAction() && (!modal || modal == button()->window()))
            button()->click();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    CellButton *button() const { return static_cast<CellButton *>(widget()); }
};

QAccessibleInterface *CreateCellButtonAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("CellButton") && object->isWidgetType())
        return new CellButtonAccessible(static_cast<CellButton *>(object));
    return nullptr;
}

} // namespace

CellButton::CellButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void CellButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void CellButton::InstallAccessibility()
{
    QAccessible::installFactory(CreateCellButtonAccessible);
}

QSize CellButton::sizeHint() const
{
    return {40, 40};
}

void CellButton::paintEvent(QPaintEvent *)
{
    // A locked board is a disabled panel, yet it must not look greyed, so the
    // colours are taken from the active group whatever the enabled state.
    QPalette colours = palette();
    colours.setCurrentColorGroup(QPalette::Active);
    colours = LegibleBevel(colours);

    // A cell is pixel art, frame and checkerboard included: it is drawn at its
    // own size and then enlarged whole, without smoothing, where a desktop's
    // scale makes its pixels larger than the screen's.
    QPixmap cell(size());
    const bool sunken = isChecked() || isDown();
    QPainter painter(&cell);
    qDrawWinButton(&painter, rect(), colours, sunken, &colours.brush(QPalette::Button));
    const QRect face = rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
    if (isChecked())
        painter.fillRect(face, QBrush(colours.color(QPalette::Light), Qt::Dense4Pattern));
    const int shift = sunken ? 1 : 0;
    painter.drawPixmap(face.topLeft() + QPoint(shift, shift), m_picture);
    painter.end();
    QPainter(this).drawPixmap(0, 0, cell);
}

int CellColumn(const CellButton &button)
{
    return button.number() % BoardSide;
}

int CellRow(const CellButton &button)
{
    return button.number() / BoardSide;
}

Cell CellOf(const CellButton &button)
{
    return {CellColumn(button), CellRow(button)};
}

#include "moc_CellButton.cpp"
