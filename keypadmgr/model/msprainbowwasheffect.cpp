// SPDX-License-Identifier: GPL-3.0-or-later
#include "msprainbowwasheffect.h"

MSPRainbowWashEffect::MSPRainbowWashEffect(QObject *parent)
    : MSPCustomWashEffect(parent, RainbowWash, 4, 35)
{
}

MSPRainbowWashEffect::~MSPRainbowWashEffect() = default;

#include "moc_msprainbowwasheffect.cpp"
