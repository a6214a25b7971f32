// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffect.h"

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
    switch (type) {
    case FixedColor:
        return tr("Fixed Color");
    case VariableColor:
        return tr("Variable Color");
    case ColorWash:
        return tr("Color Wash");
    case RainbowWash:
        return tr("Rainbow Wash");
    case CustomWash:
        return tr("Custom Wash");
    case RandomColor:
        return tr("Random Color");
    case RGBWhite:
        return tr("RGB White");
    case KelvoWhite:
        return tr("Kelvo White");
    default:
        return tr("undefined");
    }
}

bool MSPEffect::acceptsParameters(int paramCount, int colorCount, bool hasYxy) const
{
    Q_UNUSED(colorCount)
    Q_UNUSED(hasYxy)
    return paramCount >= 2;
}

void MSPEffect::colorToChannels(const OvrColor &color, ColorUtils::PrismalProfileID fixtureClass, int rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = 0;
    if (!color.isValid())
        return;
    const ColorUtils::IOModeID ioMode = ColorUtils::defaultIOModeIDForPrismalProfileID3toN(fixtureClass);
    const bool prismal = ColorUtils::defaultPrismalEnabled(fixtureClass, ioMode) != 0;
    const OvrColor copy(color);
    unsigned char out[3] = { 0, 0, 0 };
    ColorUtils::convertOvrColorToDMX(copy, prismal, 3, 1, out, 0, 1, fixtureClass, ioMode);
    for (int i = 0; i < 3; ++i)
        rgb[i] = out[i];
}

ColorUtils::PrismalProfileID MSPEffect::configuredFixtureClass()
{
    return SystemConfiguration::instance()->fixtureClass();
}

#include "moc_mspeffect.cpp"
