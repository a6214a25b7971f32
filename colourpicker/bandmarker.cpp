// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandmarker.h"

#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace OvrColorPickerLib {

void paintBandMarker(QPainter &p, const QRect &r, int x, int s, bool lineAcross)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(x - s, r.top() - 1), QPointF(x + s, r.top() - 1), QPointF(x, r.top() + s)}));
    p.drawPolygon(
        QPolygonF({QPointF(x - s, r.bottom() + 1), QPointF(x + s, r.bottom() + 1), QPointF(x, r.bottom() - s)}));
    if (lineAcross)
        p.drawLine(QPointF(x + 0.5, r.top() + s), QPointF(x + 0.5, r.bottom() - s));
}

void paintBandFocus(QPainter &p, const QWidget *widget, const QRect &band)
{
    if (!widget->hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.rect = band.adjusted(-2, -2, 2, 2);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, widget);
}

} // namespace OvrColorPickerLib
