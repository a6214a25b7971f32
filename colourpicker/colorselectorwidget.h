// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace OvrColorPickerLib {

/**
 * Base of the colour fields and gradient sliders: a rectangle of colours with
 * a marker at the picked position.
 *
 * The position is normalised: x runs 0..1 from left to right, y 0..1 from
 * bottom to top. Device pixel i of the field (at the painter's pixel ratio)
 * shows colorAt() of its centre, so what the field shows is what a pick
 * there gives. The field is rendered once into a cached image and rendered
 * again only when its size, the pixel ratio or the fixed axis changes
 * (subclasses call invalidateField()); moving the marker only repaints.
 *
 * Mouse: press and drag pick. Wheel: one step per notch. Keyboard: arrows
 * move one step, Page Up/Down ten steps, Home/End to the ends.
 */
class ColorSelectorWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSelectorWidget)
public:
    explicit ColorSelectorWidget(Qt::Orientations axes, QWidget *parent = nullptr);
    ~ColorSelectorWidget() override;

    QPointF position() const { return m_position; }
    /** Moves the marker without emitting positionPicked(). */
    void setPosition(const QPointF &position);

    /** The colour a pick at the normalised position gives. */
    virtual OvrColor colorAt(const QPointF &position) const = 0;

    /** The field's rectangle in widget coordinates (inside the marker margin). */
    QRectF fieldRect() const;
    /** The normalised position of a point in widget coordinates (clamped). */
    QPointF positionFromPoint(const QPointF &point) const;
    /** The widget coordinates of a normalised position. */
    QPointF pointFromPosition(const QPointF &position) const;

    /** Number of keyboard steps across the x and y ranges. */
    void setSteps(int xSteps, int ySteps);

    /** Times the field has been rendered (for tests and benchmarks). */
    int renderCount() const { return m_renderCount; }

    QSize minimumSizeHint() const override;

signals:
    /** The user picked a position (mouse, wheel or keyboard). */
    void positionPicked(const QPointF &position);
    void dragStarted();
    void dragFinished();

protected:
    /**
     * Fills @p image (device pixels, already sized) with the field. The
     * normalised centre of device pixel (i, j) is
     * ((i + 0.5) / width, 1 - (j + 0.5) / height).
     */
    virtual void renderField(QImage &image) const = 0;
    /** Draws the marker; the default draws a ring (2-D) or a bar (1-D). */
    virtual void drawMarker(QPainter &painter, const QPointF &point) const;
    /** Marks the cached field as stale (the fixed axis changed) and repaints. */
    void invalidateField();
    Qt::Orientations axes() const { return m_axes; }
    /** The colour drawn under the marker, to pick a contrasting ring. */
    OvrColor markerColor() const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void pick(const QPointF &position);
    void step(int dx, int dy);
    int markerMargin() const;

    Qt::Orientations m_axes;
    QPointF m_position;
    QImage m_cache;
    bool m_cacheValid = false;
    bool m_dragging = false;
    int m_xSteps = 100;
    int m_ySteps = 100;
    int m_renderCount = 0;
};

} // namespace OvrColorPickerLib
