// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "percentsliderwidget.h"

#include "ovrcolor.h"

namespace OvrColorPickerLib {

/**
 * "Opacity:" with a gradient slider and a spin box: opacity 0..100 of the
 * colour being edited. The gradient runs from transparent (over a
 * checkerboard) to the opaque colour.
 */
class OpacitySliderWidget : public PercentSliderWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OpacitySliderWidget)
public:
    explicit OpacitySliderWidget(QWidget *parent = nullptr);
    ~OpacitySliderWidget() override;

    int opacity() const { return percent(); }

public slots:
    /** Moves slider and spin box without emitting. */
    void setOpacity(int opacity) { setPercent(opacity); }
    /** The colour the gradient is drawn for. */
    void setColor(const OvrColor &color);

signals:
    void opacityChanged(int opacity);
};

} // namespace OvrColorPickerLib
