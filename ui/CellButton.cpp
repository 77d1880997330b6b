#include "CellButton.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {

constexpr int FrameWidth = 2;

} // namespace

CellButton::CellButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void CellButton::setPicture(const QPixmap &picture)
{
    Picture = picture;
    update();
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

    const bool sunken = isChecked() || isDown();
    QPainter painter(this);
    qDrawWinButton(&painter, rect(), colours, sunken, &colours.brush(QPalette::Button));
    const QRect face = rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
    if (isChecked())
        painter.fillRect(face, QBrush(colours.color(QPalette::Light), Qt::Dense4Pattern));
    const int shift = sunken ? 1 : 0;
    painter.drawPixmap(face.topLeft() + QPoint(shift, shift), Picture);
}

int CellColumn(const CellButton &button)
{
    return button.number() % 8;
}

int CellRow(const CellButton &button)
{
    return button.number() / 8;
}
