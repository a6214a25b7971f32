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

#include <iterator>

namespace {

template<class Effect>
MSPEffect *make(QObject *parent)
{
    return new Effect(parent);
}

struct EffectType
{
    int type;
    const char *name; ///< untranslated, in the context "MSPEffect"
    MSPEffect *(*create)(QObject *parent);
};

// Every effect type, in the order of their ids: the id on the wire, the
// display name and the class. A new type is its id in MSPEffect::Type,
// one row here and one in the editors' table (MSPEffectWidgetFactory).
constexpr EffectType effectTypes[] = {
    { MSPEffect::FixedColor, QT_TRANSLATE_NOOP("MSPEffect", "Fixed Color"), make<MSPFixedColorEffect> },
    { MSPEffect::VariableColor, QT_TRANSLATE_NOOP("MSPEffect", "Variable Color"), make<MSPVariableColorEffect> },
    { MSPEffect::ColorWash, QT_TRANSLATE_NOOP("MSPEffect", "Color Wash"), make<MSPColorWashEffect> },
    { MSPEffect::RainbowWash, QT_TRANSLATE_NOOP("MSPEffect", "Rainbow Wash"), make<MSPRainbowWashEffect> },
    { MSPEffect::CustomWash, QT_TRANSLATE_NOOP("MSPEffect", "Custom Wash"), make<MSPCustomWashEffect> },
    { MSPEffect::RandomColor, QT_TRANSLATE_NOOP("MSPEffect", "Random Color"), make<MSPRandomColorEffect> },
    { MSPEffect::RGBWhite, QT_TRANSLATE_NOOP("MSPEffect", "RGB White"), make<MSPWhiteEffect> },
    { MSPEffect::KelvoWhite, QT_TRANSLATE_NOOP("MSPEffect", "Kelvo White"), make<MSPKelvoWhiteEffect> },
};

static_assert(MSPEffect::isTypeTable(effectTypes), "one row for each effect type, row i holding type i");

const EffectType *effectType(int type)
{
    return type >= 0 && type < int(std::size(effectTypes)) ? &effectTypes[type] : nullptr;
}

} // namespace

MSPEffectFactory *MSPEffectFactory::instance()
{
    static MSPEffectFactory *const factory = new MSPEffectFactory;
    return factory;
}

MSPEffectFactory::MSPEffectFactory() = default;

MSPEffect *MSPEffectFactory::create(int type, QObject *parent) const
{
    if (const EffectType *row = effectType(type))
        return row->create(parent);
    qCDebug(lcKeypadModel) << "no effect of type" << type;
    return nullptr;
}

QString MSPEffectFactory::typeName(int type)
{
    const EffectType *row = effectType(type);
    return MSPEffect::tr(row ? row->name : QT_TRANSLATE_NOOP("MSPEffect", "undefined"));
}

#include "moc_mspeffectfactory.cpp"
