// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorsliderswidget.h"

namespace OvrColorPickerLib {

/**
 * Hue (degrees), saturation and brightness (percent) sliders. The hue is
 * kept while the colour is grey and the saturation while it is black, so
 * moving through grey or black does not lose them.
 */
class HsbSlidersWidget : public ColorSlidersWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HsbSlidersWidget)
public:
    explicit HsbSlidersWidget(QWidget *parent = nullptr);
    ~HsbSlidersWidget() override;

protected:
    QVector<double> channelValues(const OvrColor &color, const QVector<double> &previous) const override;
    OvrColor colorFromValues(const QVector<double> &values, double alpha) const override;
};

} // namespace OvrColorPickerLib
