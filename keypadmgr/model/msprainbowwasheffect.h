// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcustomwasheffect.h"

/** Type 3: the keypad's rainbow; a custom wash whose width runs 4..35. */
class MSPRainbowWashEffect : public MSPCustomWashEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPRainbowWashEffect)
public:
    explicit MSPRainbowWashEffect(QObject *parent = nullptr);
    ~MSPRainbowWashEffect() override;
};
