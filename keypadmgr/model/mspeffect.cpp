// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffect.h"

#include "mspeffectfactory.h"
#include "mspwiretext.h"
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

OvrColor MSPEffect::keptColor(const OvrColor &color)
{
    if (color.spec() != OvrColor::Yxy)
        return color;
    // As the wire and file forms carry it: the float the colour gives,
    // scaled and made whole, then read back as a float.
    const auto kept = [](double value, double scale) {
        return double(float(MSPWireText::coordinateBits(double(float(value)) * scale) / scale));
    };
    OvrColor result(color);
    result.setY(kept(color.getY(), 1000.0));
    result.setx(kept(color.getx(), 10000.0));
    result.sety(kept(color.gety(), 10000.0));
    return result;
}

QString MSPEffect::keptColorName(const QString &name)
{
    const OvrColor color(name);
    return color.isValid() && color.spec() == OvrColor::Yxy ? keptColor(color).aName() : name;
}

void MSPEffect::clearParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y)
{
    params.clear();
    colors.clear();
    Y = x = y = 0.0f;
}

ColorUtils::PrismalProfileID MSPEffect::configuredFixtureClass()
{
    return SystemConfiguration::instance()->fixtureClass();
}

#include "moc_mspeffect.cpp"
