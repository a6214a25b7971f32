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

#include "mspeffect.h"

#include <iterator>

namespace {

template<class Editor>
MSPEffectWidget *make(QWidget *parent)
{
    return new Editor(parent);
}

struct EffectEditor
{
    int type;
    MSPEffectWidget *(*create)(QWidget *parent);
};

// The editor of each effect type, in the order of their ids (the model's
// table in MSPEffectFactory gives each id its name and class).
constexpr EffectEditor editors[] = {
    { MSPEffect::FixedColor, make<MSPFixedColorEffectWidget> },
    { MSPEffect::VariableColor, make<MSPVariableColorEffectWidget> },
    { MSPEffect::ColorWash, make<MSPColorWashEffectWidget> },
    { MSPEffect::RainbowWash, make<MSPRainbowWashEffectWidget> },
    { MSPEffect::CustomWash, make<MSPCustomWashEffectWidget> },
    { MSPEffect::RandomColor, make<MSPRandomColorEffectWidget> },
    { MSPEffect::RGBWhite, make<MSPWhiteEffectWidget> },
    { MSPEffect::KelvoWhite, make<MSPKelvoWhiteEffectWidget> },
};

static_assert(MSPEffect::isTypeTable(editors), "one editor for each effect type, row i holding type i");

} // namespace

MSPEffectWidgetFactory::MSPEffectWidgetFactory() = default;

MSPEffectWidgetFactory *MSPEffectWidgetFactory::instance()
{
    static MSPEffectWidgetFactory *factory = new MSPEffectWidgetFactory;
    return factory;
}

MSPEffectWidget *MSPEffectWidgetFactory::create(int type, QWidget *parent) const
{
    return type >= 0 && type < int(std::size(editors)) ? editors[type].create(parent) : nullptr;
}
