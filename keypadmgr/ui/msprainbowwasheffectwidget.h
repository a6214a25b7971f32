// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcustomwasheffectwidget.h"

/** Editor of the Rainbow Wash effect: as Custom Wash, with the Rainbow Wash's width range. */
class MSPRainbowWashEffectWidget : public MSPCustomWashEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPRainbowWashEffectWidget)
public:
    explicit MSPRainbowWashEffectWidget(QWidget *parent = nullptr);
    ~MSPRainbowWashEffectWidget() override;

protected:
    const QMetaObject &effectClass() const override;
};
