// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "percentsliderwidget.h"

#include "ovrcolor.h"

namespace OvrColorPickerLib {

/**
 * "Intensity:" with a gradient slider and a spin box: intensity 0..100 of
 * the colour being edited. The gradient runs from black to the colour at full
 * intensity.
 */
class IntensitySliderWidget : public PercentSliderWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(IntensitySliderWidget)
public:
    explicit IntensitySliderWidget(QWidget *parent = nullptr);
    ~IntensitySliderWidget() override;

    int intensity() const { return percent(); }

public slots:
    /** Moves slider and spin box without emitting. */
    void setIntensity(int intensity) { setPercent(intensity); }
    /** The colour the gradient is drawn for. */
    void setColor(const OvrColor &color);

signals:
    void intensityChanged(int intensity);
};

} // namespace OvrColorPickerLib
