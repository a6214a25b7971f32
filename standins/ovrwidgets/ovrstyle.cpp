// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrstyle.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <QWidget>

namespace OvrWidgetsLib {

namespace {

int fontHeight(const QStyleOption *option, const QWidget *widget)
{
    if (widget)
        return widget->fontMetrics().height();
    if (option)
        return option->fontMetrics.height();
    return 16;
}

} // namespace

OvrStyle::OvrStyle(QObject *parent)
    : QProxyStyle()
{
    setParent(parent);
}

int OvrStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int h = fontHeight(option, widget);
    switch (metric) {
    case PM_SliderThickness:
        return h + 4;
    case PM_SliderControlThickness:
    case PM_SliderLength:
        return h;
    case PM_SliderTickmarkOffset:
        return 0;
    case PM_ToolBarIconSize:
    case PM_SmallIconSize:
        return h;
    case PM_ButtonMargin:
        return qMax(2, h / 4);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int OvrStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                        QStyleHintReturn *returnData) const
{
    // A click on the groove jumps there, as it does in colour fields.
    if (hint == SH_Slider_AbsoluteSetButtons)
        return Qt::LeftButton;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void OvrStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                  const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_Slider || !slider) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }

    const QRect groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const bool enabled = slider->state & State_Enabled;
    const bool focused = slider->state & State_HasFocus;
    const QPalette &pal = slider->palette;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    // Thin groove through the middle, filled on the low side of the handle.
    const qreal thickness = qMax<qreal>(3.0, fontHeight(option, widget) / 4.0);
    QRectF track = horizontal ? QRectF(groove.left(), groove.center().y() + 0.5 - thickness / 2, groove.width(), thickness)
                              : QRectF(groove.center().x() + 0.5 - thickness / 2, groove.top(), thickness, groove.height());
    painter->setPen(Qt::NoPen);
    painter->setBrush(pal.color(QPalette::Mid));
    painter->drawRoundedRect(track, thickness / 2, thickness / 2);

    QRectF filled = track;
    const bool upsideDown = slider->upsideDown != !horizontal;
    if (horizontal) {
        if (upsideDown)
            filled.setLeft(handle.center().x());
        else
            filled.setRight(handle.center().x());
    } else {
        if (upsideDown)
            filled.setBottom(handle.center().y());
        else
            filled.setTop(handle.center().y());
    }
    painter->setBrush(enabled ? pal.color(QPalette::Highlight) : pal.color(QPalette::Dark));
    painter->drawRoundedRect(filled, thickness / 2, thickness / 2);

    // Round handle; a ring in the highlight colour shows keyboard focus.
    const qreal side = qMin(handle.width(), handle.height()) - 2;
    const QRectF knob(QPointF(handle.center().x() + 0.5 - side / 2, handle.center().y() + 0.5 - side / 2),
                      QSizeF(side, side));
    painter->setBrush(pal.color(QPalette::Button));
    painter->setPen(QPen(focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Shadow), focused ? 2.0 : 1.0));
    painter->drawEllipse(knob.adjusted(1, 1, -1, -1));

    painter->restore();
}

void OvrStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    if (element == PE_PanelButtonTool) {
        // Flat rounded tool buttons: a faint fill when hovered or checked.
        const bool on = option->state & (State_On | State_Sunken);
        const bool hover = (option->state & State_MouseOver) && (option->state & State_Enabled);
        if (!on && !hover)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QColor fill = option->palette.color(QPalette::Highlight);
        fill.setAlphaF(on ? 0.35 : 0.15);
        painter->setPen(on ? QPen(option->palette.color(QPalette::Highlight), 1.0) : QPen(Qt::NoPen));
        painter->setBrush(fill);
        const qreal radius = fontHeight(option, widget) / 4.0;
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace OvrWidgetsLib
