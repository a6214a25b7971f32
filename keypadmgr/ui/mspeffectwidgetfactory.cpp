// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffectwidgetfactory.h"

#include "mspcolorwasheffectwidget.h"
#include "mspcustomwasheffectwidget.h"
#include "mspfixedcoloreffectwidget.h"
#include "mspkelvowhiteeffectwidget.h"
#include "msprainbowwasheffectwidget.h"
#include "msprandomcoloreffectwidget.h"
#include "mspvariablecoloreffectwidget.h"
#include "mspwhiteeffectwidget.h"

#include <mspeffect.h>

MSPEffectWidgetFactory::MSPEffectWidgetFactory() = default;

MSPEffectWidgetFactory *MSPEffectWidgetFactory::instance()
{
    static MSPEffectWidgetFactory *factory = new MSPEffectWidgetFactory;
    return factory;
}

MSPEffectWidget *MSPEffectWidgetFactory::create(int type, QWidget *parent) const
{
    switch (type) {
    case MSPEffect::FixedColor:
        return new MSPFixedColorEffectWidget(parent);
    case MSPEffect::VariableColor:
        return new MSPVariableColorEffectWidget(parent);
    case MSPEffect::ColorWash:
        return new MSPColorWashEffectWidget(parent);
    case MSPEffect::RainbowWash:
        return new MSPRainbowWashEffectWidget(parent);
    case MSPEffect::CustomWash:
        return new MSPCustomWashEffectWidget(parent);
    case MSPEffect::RandomColor:
        return new MSPRandomColorEffectWidget(parent);
    case MSPEffect::RGBWhite:
        return new MSPWhiteEffectWidget(parent);
    case MSPEffect::KelvoWhite:
        return new MSPKelvoWhiteEffectWidget(parent);
    default:
        return nullptr;
    }
}
