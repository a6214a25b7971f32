// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffectfactory.h"

#include "modellogging.h"
#include "mspcolorwasheffect.h"
#include "mspcustomwasheffect.h"
#include "mspfixedcoloreffect.h"
#include "mspkelvowhiteeffect.h"
#include "msprainbowwasheffect.h"
#include "msprandomcoloreffect.h"
#include "mspvariablecoloreffect.h"
#include "mspwhiteeffect.h"

MSPEffectFactory *MSPEffectFactory::instance()
{
    static MSPEffectFactory *const factory = new MSPEffectFactory;
    return factory;
}

MSPEffectFactory::MSPEffectFactory() = default;

MSPEffect *MSPEffectFactory::create(int type, QObject *parent) const
{
    switch (type) {
    case MSPEffect::FixedColor:
        return new MSPFixedColorEffect(parent);
    case MSPEffect::VariableColor:
        return new MSPVariableColorEffect(parent);
    case MSPEffect::ColorWash:
        return new MSPColorWashEffect(parent);
    case MSPEffect::RainbowWash:
        return new MSPRainbowWashEffect(parent);
    case MSPEffect::CustomWash:
        return new MSPCustomWashEffect(parent);
    case MSPEffect::RandomColor:
        return new MSPRandomColorEffect(parent);
    case MSPEffect::RGBWhite:
        return new MSPWhiteEffect(parent);
    case MSPEffect::KelvoWhite:
        return new MSPKelvoWhiteEffect(parent);
    default:
        qCDebug(lcKeypadModel) << "no effect of type" << type;
        return nullptr;
    }
}

#include "moc_mspeffectfactory.cpp"
