// SPDX-License-Identifier: GPL-3.0-or-later
#include "msprainbowwasheffectwidget.h"
#include "ui_mspcolorwasheffectwidget.h"

#include "msprainbowwasheffect.h"

MSPRainbowWashEffectWidget::MSPRainbowWashEffectWidget(QWidget *parent)
    : MSPCustomWashEffectWidget(parent)
{
    const QSignalBlocker sliderBlocker(ui->widthSlider);
    const QSignalBlocker editBlocker(ui->widthEdit);
    const MSPRainbowWashEffect defaults;
    ui->widthSlider->setRange(defaults.minimumWidth(), defaults.maximumWidth());
    ui->widthEdit->setRange(defaults.minimumWidth(), defaults.maximumWidth());
}

MSPRainbowWashEffectWidget::~MSPRainbowWashEffectWidget() = default;

const QMetaObject &MSPRainbowWashEffectWidget::effectClass() const
{
    return MSPRainbowWashEffect::staticMetaObject;
}
