// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorzoomwidget.h"

#include "hsbspectrumwidget.h"

#include <cmath>

namespace OvrColorPickerLib {

ColorZoomWidget::ColorZoomWidget(QWidget *parent)
    : ColorSelectorWidget(Qt::Horizontal | Qt::Vertical, parent)
{
    setAccessibleName(tr("Spectrum zoom"));
    setToolTip(tr("Magnified spectrum"));
    setSteps(100, 100);
    connect(this, &ColorSelectorWidget::positionPicked, this, [this](const QPointF &p) {
        const QPointF s = spectrumPoint(p);
        m_hue = s.x();
        m_saturation = s.y();
        m_markerInside = true;
        emit colorChanged(colorAt(p));
    });
}

ColorZoomWidget::~ColorZoomWidget() = default;

void ColorZoomWidget::setZoomArea(const QRectF &area)
{
    if (area == m_area)
        return;
    m_area = area;
    placeMarker();
    invalidateField();
    emit zoomAreaChanged(area);
}

void ColorZoomWidget::setHsv(double hue, double saturation, double brightness, double alpha)
{
    m_hue = hue;
    m_saturation = saturation;
    m_alpha = alpha;
    if (brightness != m_brightness) {
        m_brightness = brightness;
        invalidateField();
    }
    placeMarker();
}

void ColorZoomWidget::placeMarker()
{
    const double x = (m_hue - m_area.left()) / m_area.width();
    const double y = (m_saturation - m_area.top()) / m_area.height();
    m_markerInside = x >= 0.0 && x <= 1.0 && y >= 0.0 && y <= 1.0;
    setPosition(QPointF(x, y));
    update();
}

QPointF ColorZoomWidget::spectrumPoint(const QPointF &position) const
{
    double hue = m_area.left() + position.x() * m_area.width();
    hue -= std::floor(hue);
    return QPointF(hue, qBound(0.0, m_area.top() + position.y() * m_area.height(), 1.0));
}

OvrColor ColorZoomWidget::colorAt(const QPointF &position) const
{
    const QPointF s = spectrumPoint(position);
    return OvrColor::fromHsvF(s.x(), s.y(), m_brightness, m_alpha);
}

QSize ColorZoomWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(8 * h, 8 * h);
}

void ColorZoomWidget::renderField(QImage &image) const
{
    HsbSpectrumWidget::renderHueSaturation(image, m_area, m_brightness);
}

void ColorZoomWidget::drawMarker(QPainter &painter, const QPointF &point) const
{
    if (m_markerInside)
        ColorSelectorWidget::drawMarker(painter, point);
}

} // namespace OvrColorPickerLib
