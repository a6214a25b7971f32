// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorselectorwidget.h"

#include <QVector>

#include <functional>

namespace OvrColorPickerLib {

/**
 * A horizontal slider whose groove shows the colour each position gives.
 * The colour of a position comes from a function set with setGradient();
 * the gradient is rendered again only when the values it is built on (the
 * other components of the colour) change. Colours with an alpha below one
 * are shown over a checkerboard.
 */
class GradientColorSelectorWidget : public ColorSelectorWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(GradientColorSelectorWidget)
public:
    using ColorFunction = std::function<OvrColor(double)>;

    explicit GradientColorSelectorWidget(QWidget *parent = nullptr);
    ~GradientColorSelectorWidget() override;

    /**
     * Sets the colour of each position 0..1. @p fixedAxes are the values the
     * function depends on; the gradient is rendered again only when they
     * differ from the last call.
     */
    void setGradient(const ColorFunction &function, const QVector<double> &fixedAxes);

    double value() const { return position().x(); }
    /** Moves the handle without emitting. */
    void setValue(double value);

    OvrColor colorAt(const QPointF &position) const override;

    QSize sizeHint() const override;

signals:
    /** The user moved the handle; the colour at its position. */
    void colorChanged(const OvrColor &color);
    void valueChanged(double value);

protected:
    void renderField(QImage &image) const override;

private:
    ColorFunction m_function;
    QVector<double> m_fixedAxes;
};

/** Fills a device-pixel rectangle of @p image with a light/dark checkerboard sized from @p cell. */
void paintCheckerboard(QImage &image, int cell);

} // namespace OvrColorPickerLib
