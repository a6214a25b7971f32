// SPDX-License-Identifier: GPL-3.0-or-later
#include "opacitysliderwidget.h"

#include "gradientcolorselectorwidget.h"

namespace OvrColorPickerLib {

OpacitySliderWidget::OpacitySliderWidget(QWidget *parent)
    : PercentSliderWidget(tr("Opacity:"), tr("Opacity"), parent)
{
    connect(this, &PercentSliderWidget::percentChanged, this, &OpacitySliderWidget::opacityChanged);
    setColor(OvrColor(Qt::white));
}

OpacitySliderWidget::~OpacitySliderWidget() = default;

void OpacitySliderWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    // The gradient depends only on the opaque colour's RGB.
    const QColor opaque = color.getQColor();
    slider()->setGradient(
        [opaque](double t) {
            return OvrColor::fromRgb8(opaque.red(), opaque.green(), opaque.blue(), qRound(t * 255.0));
        },
        {double(opaque.red()), double(opaque.green()), double(opaque.blue())});
}

} // namespace OvrColorPickerLib
