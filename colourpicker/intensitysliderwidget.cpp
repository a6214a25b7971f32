// SPDX-License-Identifier: GPL-3.0-or-later
#include "intensitysliderwidget.h"

#include "gradientcolorselectorwidget.h"

namespace OvrColorPickerLib {

IntensitySliderWidget::IntensitySliderWidget(QWidget *parent)
    : PercentSliderWidget(tr("Intensity:"), tr("Intensity"), parent)
{
    connect(this, &PercentSliderWidget::percentChanged, this, &IntensitySliderWidget::intensityChanged);
    setColor(OvrColor(Qt::white));
}

IntensitySliderWidget::~IntensitySliderWidget() = default;

void IntensitySliderWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    // Black to the colour at full intensity: the hue and saturation of the
    // colour with its brightness swept.
    double h = 0, s = 0, v = 0;
    color.getHsvF(&h, &s, &v);
    slider()->setGradient([h, s](double t) { return OvrColor::fromHsvF(h, s, t); }, {h, s});
}

} // namespace OvrColorPickerLib
