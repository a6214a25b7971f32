// SPDX-License-Identifier: GPL-3.0-or-later
#include "hsbspectrumzoomwidget.h"

#include "colorzoomwidget.h"
#include "zoomcontrolwidget.h"

#include <QVBoxLayout>

namespace OvrColorPickerLib {

HsbSpectrumZoomWidget::HsbSpectrumZoomWidget(QWidget *parent)
    : QWidget(parent)
    , m_zoom(new ColorZoomWidget(this))
    , m_control(new ZoomControlWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_zoom, 1);
    layout->addWidget(m_control);

    connect(m_zoom, &ColorZoomWidget::zoomAreaChanged, this, &HsbSpectrumZoomWidget::zoomAreaChanged);
    connect(m_zoom, &ColorZoomWidget::colorChanged, this, [this](const OvrColor &color) {
        const QPointF s = m_zoom->spectrumPoint(m_zoom->position());
        m_hue = s.x();
        m_saturation = s.y();
        emit colorChanged(color);
    });
    connect(m_zoom, &ColorSelectorWidget::dragStarted, this, [this] { m_dragging = true; });
    connect(m_zoom, &ColorSelectorWidget::dragFinished, this, [this] {
        m_dragging = false;
        followColor();
    });
    connect(m_control, &ZoomControlWidget::zoomLevelChanged, this, [this](int level) {
        recenter();
        emit zoomLevelChanged(level);
    });
    recenter();
}

HsbSpectrumZoomWidget::~HsbSpectrumZoomWidget() = default;

void HsbSpectrumZoomWidget::setHsv(double hue, double saturation, double brightness, double alpha)
{
    m_hue = hue;
    m_saturation = saturation;
    m_brightness = brightness;
    m_alpha = alpha;
    m_zoom->setHsv(hue, saturation, brightness, alpha);
    if (!m_dragging)
        followColor();
}

void HsbSpectrumZoomWidget::followColor()
{
    // The area follows the colour once it nears the edge of the area (or
    // leaves it): a drag across the spectrum then mostly moves the marker
    // over the same magnified field instead of rendering it again each step.
    const QRectF area = m_zoom->zoomArea();
    const QRectF middle = area.adjusted(area.width() / 4, area.height() / 4, -area.width() / 4, -area.height() / 4);
    if (!middle.contains(QPointF(m_hue, m_saturation)))
        recenter();
}

int HsbSpectrumZoomWidget::zoomLevel() const
{
    return m_control->zoomLevel();
}

QRectF HsbSpectrumZoomWidget::zoomArea() const
{
    return m_zoom->zoomArea();
}

void HsbSpectrumZoomWidget::setZoomLevel(int level)
{
    m_control->setZoomLevel(level);
}

void HsbSpectrumZoomWidget::zoomIn()
{
    m_control->zoomIn();
}

void HsbSpectrumZoomWidget::zoomOut()
{
    m_control->zoomOut();
}

void HsbSpectrumZoomWidget::recenter()
{
    // The area keeps its size and stays inside the spectrum, so near an edge
    // the colour sits off centre rather than the zoom showing nothing.
    const double side = 1.0 / m_control->magnification();
    const double left = qBound(0.0, m_hue - side / 2, 1.0 - side);
    const double bottom = qBound(0.0, m_saturation - side / 2, 1.0 - side);
    const QRectF area(left, bottom, side, side);
    if (area == m_zoom->zoomArea())
        return;
    m_zoom->setZoomArea(area);
    const QPointF centre = area.center();
    emit centerColorChanged(centre.x(), centre.y(), m_brightness, 1.0 - m_alpha);
}

} // namespace OvrColorPickerLib
