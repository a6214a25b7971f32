// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorselectorwidget.h"

#include <QRectF>

namespace OvrColorPickerLib {

/**
 * A magnified part of the hue/saturation spectrum, for fine picks. The area
 * is given in normalised spectrum coordinates (x hue, y saturation upwards);
 * the field is rendered again when the area or the brightness changes.
 */
class ColorZoomWidget : public ColorSelectorWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorZoomWidget)
public:
    explicit ColorZoomWidget(QWidget *parent = nullptr);
    ~ColorZoomWidget() override;

    QRectF zoomArea() const { return m_area; }
    void setZoomArea(const QRectF &area);
    /** Shows the colour (fractions 0..1) without emitting; the marker hides outside the area. */
    void setHsv(double hue, double saturation, double brightness, double alpha = 1.0);

    OvrColor colorAt(const QPointF &position) const override;
    /** Spectrum coordinates of a position inside this widget. */
    QPointF spectrumPoint(const QPointF &position) const;

    QSize sizeHint() const override;

signals:
    void zoomAreaChanged(const QRectF &area);
    void colorChanged(const OvrColor &color);

protected:
    void renderField(QImage &image) const override;
    void drawMarker(QPainter &painter, const QPointF &point) const override;

private:
    void placeMarker();

    QRectF m_area = QRectF(0, 0, 1, 1);
    double m_hue = 0.0;
    double m_saturation = 1.0;
    double m_brightness = 1.0;
    double m_alpha = 1.0;
    bool m_markerInside = true;
};

} // namespace OvrColorPickerLib
