// SPDX-License-Identifier: GPL-3.0-or-later
#include "lineeditclearbutton.h"

#include <QPainter>
#include <QPainterPath>

namespace OvrWidgetsLib {

LineEditClearButton::LineEditClearButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setToolTip(tr("Clear"));
    setAccessibleName(tr("Clear"));
}

QSize LineEditClearButton::sizeHint() const
{
    const int side = fontMetrics().height();
    return QSize(side, side);
}

void LineEditClearButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height()) - 2;
    const QRectF disc(QPointF((width() - side) / 2.0, (height() - side) / 2.0), QSizeF(side, side));

    QColor fill = palette().color(QPalette::Text);
    fill.setAlphaF(isDown() ? 0.75 : (m_hovered ? 0.55 : 0.35));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(disc);

    // The cross, in the base colour so it reads as cut out of the disc.
    const qreal arm = side * 0.22;
    const QPointF c = disc.center();
    QPen pen(palette().color(QPalette::Base), qMax<qreal>(1.0, side / 9.0), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
}

void LineEditClearButton::enterEvent(QEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void LineEditClearButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace OvrWidgetsLib
