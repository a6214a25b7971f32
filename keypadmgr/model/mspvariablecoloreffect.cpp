// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspvariablecoloreffect.h"

#include "mspwiretext.h"
#include "ovrcolor.h"

MSPVariableColorEffect::MSPVariableColorEffect(QObject *parent)
    : MSPFixedColorEffect(parent, VariableColor)
{
}

MSPVariableColorEffect::~MSPVariableColorEffect() = default;

void MSPVariableColorEffect::setParameters(const QStringList &params, const QList<OvrColor *> &, int,
                                           ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y)
{
    if (Y != 0.0f || x != 0.0f || y != 0.0f) {
        storeLoadedColor(colorFromYxy(Y, x, y));
        return;
    }
    if (params.size() != 3)
        return;
    // The keypad's hue runs 0..255; 1.411764705882353 is 360 / 255.
    const float hue = params.at(0).trimmed().toFloat();
    OvrColor color;
    color.setHsv8(MSPWireText::truncated(hue * 1.411764705882353), params.at(1).trimmed().toInt(),
                  params.at(2).trimmed().toInt(), 255, fixtureClass);
    storeLoadedColor(color);
}

void MSPVariableColorEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                           float &y)
{
    params.clear();
    colors.clear();
    Y = x = y = 0.0f;
    OvrColor color(this->color());
    if (color.spec() == OvrColor::Yxy) {
        Y = float(color.getY());
        x = float(color.getx());
        y = float(color.gety());
    }
    const ColorUtils::PrismalProfileID fixtureClass = configuredFixtureClass();
    color.setPrismalProfileID(fixtureClass);
    const OvrColor hsv = color.convertTo(OvrColor::Hsv, ColorUtils::ConfigRGB, fixtureClass);
    params << QString::number(MSPWireText::truncated(hsv.hue8() * 255.0 / 360.0))
           << QString::number(hsv.saturation8()) << QString::number(hsv.value8());
}

#include "moc_mspvariablecoloreffect.cpp"
