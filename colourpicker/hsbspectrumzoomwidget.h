// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QRectF>
#include <QWidget>

namespace OvrColorPickerLib {

class ColorZoomWidget;
class ZoomControlWidget;

/**
 * The zoom of the spectrum: a ColorZoomWidget around the current colour
 * (kept inside the spectrum) above a ZoomControlWidget. The area centres on
 * the colour when the colour comes near its edge or the zoom level changes;
 * while the user drags inside the zoom it stays put and centres afterwards.
 */
class HsbSpectrumZoomWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HsbSpectrumZoomWidget)
public:
    explicit HsbSpectrumZoomWidget(QWidget *parent = nullptr);
    ~HsbSpectrumZoomWidget() override;

    /** Shows the colour (fractions 0..1) and centres on it, without emitting colorChanged(). */
    void setHsv(double hue, double saturation, double brightness, double alpha = 1.0);

    int zoomLevel() const;
    QRectF zoomArea() const;
    ColorZoomWidget *colorZoom() const { return m_zoom; }
    ZoomControlWidget *zoomControl() const { return m_control; }

public slots:
    void setZoomLevel(int level);
    void zoomIn();
    void zoomOut();

signals:
    void colorChanged(const OvrColor &color);
    void centerColorChanged(double hue, double saturation, double brightness, double transparency);
    void zoomAreaChanged(const QRectF &area);
    void zoomLevelChanged(int level);

private:
    void recenter();
    void followColor();

    ColorZoomWidget *m_zoom;
    ZoomControlWidget *m_control;
    double m_hue = 0.0;
    double m_saturation = 1.0;
    double m_brightness = 1.0;
    double m_alpha = 1.0;
    bool m_dragging = false;
};

} // namespace OvrColorPickerLib
