// SPDX-License-Identifier: GPL-3.0-or-later
#include "rgbsliderswidget.h"

namespace OvrColorPickerLib {

RgbSlidersWidget::RgbSlidersWidget(QWidget *parent)
    : ColorSlidersWidget(parent)
{
    addChannel(tr("Red"), tr("R:"), 255.0, 0);
    addChannel(tr("Green"), tr("G:"), 255.0, 0);
    addChannel(tr("Blue"), tr("B:"), 255.0, 0);
}

RgbSlidersWidget::~RgbSlidersWidget() = default;

QVector<double> RgbSlidersWidget::channelValues(const OvrColor &color, const QVector<double> &) const
{
    return {double(color.red8()), double(color.green8()), double(color.blue8())};
}

OvrColor RgbSlidersWidget::colorFromValues(const QVector<double> &values, double alpha) const
{
    return OvrColor::fromRgbF(qBound(0.0, qRound(values.at(0)) / 255.0, 1.0),
                              qBound(0.0, qRound(values.at(1)) / 255.0, 1.0),
                              qBound(0.0, qRound(values.at(2)) / 255.0, 1.0), qBound(0.0, alpha, 1.0));
}

} // namespace OvrColorPickerLib
