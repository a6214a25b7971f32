// SPDX-License-Identifier: GPL-3.0-or-later
#include "dmxsliderwidget.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace OvrColorPickerLib {

DmxSliderWidget::DmxSliderWidget(const QString &channelName, QWidget *parent)
    : LevelSliderWidget(channelName, new QSpinBox, parent)
{
    slider()->setRange(0, 255);
    slider()->setPageStep(16);
    spinBox()->setRange(0, 255);
    slider()->setAccessibleName(tr("%1 level").arg(channelName));
    spinBox()->setAccessibleName(tr("%1 DMX value").arg(channelName));

    connect(this, &LevelSliderWidget::levelChanged, this, &DmxSliderWidget::valueChanged);
    connect(spinBox(), qOverload<int>(&QSpinBox::valueChanged), this, &DmxSliderWidget::userChanged);
}

QString DmxSliderWidget::channelName() const
{
    return label()->text();
}

QSpinBox *DmxSliderWidget::spinBox() const
{
    return static_cast<QSpinBox *>(abstractSpinBox());
}

int DmxSliderWidget::boundedLevel(int value) const
{
    return qBound(0, value, 255);
}

void DmxSliderWidget::showInSpinBox(int value)
{
    spinBox()->setValue(value);
}

} // namespace OvrColorPickerLib
