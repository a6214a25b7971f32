// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspvariablecoloreffectwidget.h"

#include "mspvariablecoloreffect.h"

MSPVariableColorEffectWidget::MSPVariableColorEffectWidget(QWidget *parent)
    : MSPFixedColorEffectWidget(parent)
{
}

MSPVariableColorEffectWidget::~MSPVariableColorEffectWidget() = default;

const QMetaObject &MSPVariableColorEffectWidget::effectClass() const
{
    return MSPVariableColorEffect::staticMetaObject;
}
