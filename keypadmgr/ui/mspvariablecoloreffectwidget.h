// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspfixedcoloreffectwidget.h"

/** Editor of the Variable Color effect: as Fixed Color. */
class MSPVariableColorEffectWidget : public MSPFixedColorEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPVariableColorEffectWidget)
public:
    explicit MSPVariableColorEffectWidget(QWidget *parent = nullptr);
    ~MSPVariableColorEffectWidget() override;

protected:
    const QMetaObject &effectClass() const override;
};
