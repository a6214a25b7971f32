// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorselectorwidget.h"

#include <QRectF>

namespace OvrColorPickerLib {

/**
 * The hue/saturation spectrum at a fixed brightness: hue runs left to right
 * over the whole circle, saturation from 0 at the bottom to 1 at the top.
 * The field is rendered again only when the brightness changes. The zoom
 * widget's area is outlined on it.
 */
class HsbSpectrumWidget : public ColorSelectorWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HsbSpectrumWidget)
public:
    explicit HsbSpectrumWidget(QWidget *parent = nullptr);
    ~HsbSpectrumWidget() override;

    /** Shows hue, saturation and brightness (fractions 0..1) without emitting. */
    void setHsv(double hue, double saturation, double brightness, double alpha = 1.0);
    double brightness() const { return m_brightness; }

    OvrColor colorAt(const QPointF &position) const override;

    QSize sizeHint() const override;

    /** Red, green and blue (0..1) of a hue (0..1) at full saturation and brightness. */
    static void hueToRgb(double hue, double *r, double *g, double *b);
    /**
     * Fills @p image with the colours of hue x saturation at @p brightness
     * over @p area (normalised spectrum coordinates, y upwards).
     */
    static void renderHueSaturation(QImage &image, const QRectF &area, double brightness);
    /** A 0..1 channel as the 8-bit level OvrColor reports for it. */
    static int level8(double channel);
    /** Steps of levelTable() across 0..1. */
    static constexpr int LevelTableSteps = 4096;
    /** level8() of k / LevelTableSteps for k = 0..LevelTableSteps, for fast rendering. */
    static const uchar *levelTable();

public slots:
    /** Outlines the part of the spectrum that the zoom widget shows. */
    void setZoomArea(const QRectF &area);

signals:
    void colorChanged(const OvrColor &color);

protected:
    void renderField(QImage &image) const override;
    void drawMarker(QPainter &painter, const QPointF &point) const override;

private:
    double m_brightness = 1.0;
    double m_alpha = 1.0;
    QRectF m_zoomArea;
};

} // namespace OvrColorPickerLib
