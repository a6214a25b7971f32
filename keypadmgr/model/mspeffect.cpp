// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffect.h"

#include "mspeffectfactory.h"
#include "ovrcolor.h"
#include "systemconfiguration.h"

MSPEffect::MSPEffect(QObject *parent, int type)
    : QObject(parent)
    , m_type(type)
{
}

MSPEffect::~MSPEffect() = default;

QString MSPEffect::effectTypeName(int type)
{
    return MSPEffectFactory::typeName(type);
}

bool MSPEffect::acceptsParameters(int paramCount, int colorCount, bool hasYxy) const
{
    Q_UNUSED(colorCount)
    Q_UNUSED(hasYxy)
    return paramCount >= 2;
}

void MSPEffect::colorToChannels(const OvrColor &color, ColorUtils::PrismalProfileID fixtureClass, int rgb[3])
{
    unsigned char out[3] = { 0, 0, 0 };
    ColorUtils::threeChannelLevels(color, fixtureClass, out);
    for (int i = 0; i < 3; ++i)
        rgb[i] = out[i];
}

ColorUtils::PrismalProfileID MSPEffect::configuredFixtureClass()
{
    return SystemConfiguration::instance()->fixtureClass();
}

#include "moc_mspeffect.cpp"
