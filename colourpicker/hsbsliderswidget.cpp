// SPDX-License-Identifier: GPL-3.0-or-later
#include "hsbsliderswidget.h"

#include <cmath>

namespace OvrColorPickerLib {

HsbSlidersWidget::HsbSlidersWidget(QWidget *parent)
    : ColorSlidersWidget(parent)
{
    addChannel(tr("Hue"), tr("H:"), 360.0, 1, QStringLiteral("\u00b0"));
    addChannel(tr("Saturation"), tr("S:"), 100.0, 1, QStringLiteral("%"));
    addChannel(tr("Value/Brightness"), tr("V:"), 100.0, 1, QStringLiteral("%"));
}

HsbSlidersWidget::~HsbSlidersWidget() = default;

QVector<double> HsbSlidersWidget::channelValues(const OvrColor &color, const QVector<double> &previous) const
{
    double h = 0, s = 0, v = 0;
    color.getHsvF(&h, &s, &v);
    const auto round1 = [](double x) { return std::round(x * 10.0) / 10.0; };
    QVector<double> values = {h < 0 ? previous.value(0) : round1(h * 360.0), round1(s * 100.0), round1(v * 100.0)};
    if (v <= 0.0)
        values[1] = previous.value(1);
    return values;
}

OvrColor HsbSlidersWidget::colorFromValues(const QVector<double> &values, double alpha) const
{
    double hue = qBound(0.0, values.at(0) / 360.0, 1.0);
    if (hue >= 1.0)
        hue = 0.0;
    return OvrColor::fromHsvF(hue, qBound(0.0, values.at(1) / 100.0, 1.0), qBound(0.0, values.at(2) / 100.0, 1.0),
                              qBound(0.0, alpha, 1.0));
}

} // namespace OvrColorPickerLib
