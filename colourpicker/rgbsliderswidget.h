// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorsliderswidget.h"

namespace OvrColorPickerLib {

/** Red, green and blue sliders, 0..255. */
class RgbSlidersWidget : public ColorSlidersWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(RgbSlidersWidget)
public:
    explicit RgbSlidersWidget(QWidget *parent = nullptr);
    ~RgbSlidersWidget() override;

protected:
    QVector<double> channelValues(const OvrColor &color, const QVector<double> &previous) const override;
    OvrColor colorFromValues(const QVector<double> &values, double alpha) const override;
};

} // namespace OvrColorPickerLib
