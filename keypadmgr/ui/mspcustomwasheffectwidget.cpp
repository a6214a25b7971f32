// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcustomwasheffectwidget.h"
#include "ui_mspcolorwasheffectwidget.h"

#include "mspcustomwasheffect.h"

MSPCustomWashEffectWidget::MSPCustomWashEffectWidget(QWidget *parent)
    : MSPColorWashEffectWidget(parent)
{
    setColorControlsVisible(true);
}

MSPCustomWashEffectWidget::~MSPCustomWashEffectWidget() = default;

const QMetaObject &MSPCustomWashEffectWidget::effectClass() const
{
    return MSPCustomWashEffect::staticMetaObject;
}

QString MSPCustomWashEffectWidget::speedLabel(int index)
{
    // The Custom Wash runs its own speed scale; the Rainbow Wash, which
    // shares this editor, keeps the Color Wash's.
    if (effect() && effect()->type() == MSPEffect::CustomWash)
        return customWashSpeedLabel(index);
    return colorWashSpeedLabel(index);
}

void MSPCustomWashEffectWidget::setWidth(int inWidth)
{
    ui->widthSlider->setValue(inWidth);
}
