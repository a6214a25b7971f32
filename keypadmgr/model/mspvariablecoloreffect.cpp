// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspvariablecoloreffect.h"

#include "mspwiretext.h"
#include "ovrcolor.h"

#include <cmath>

MSPVariableColorEffect::MSPVariableColorEffect(QObject *parent)
    : MSPFixedColorEffect(parent, VariableColor)
{
}

MSPVariableColorEffect::~MSPVariableColorEffect() = default;

namespace {

// The colour as getParameters() sees it: stored as its text, read back
// from it and converted to HSV.
OvrColor storedAsHsv(const OvrColor &color, ColorUtils::PrismalProfileID fixtureClass)
{
    OvrColor stored(color.aName());
    stored.setPrismalProfileID(fixtureClass);
    return stored.convertTo(OvrColor::Hsv, ColorUtils::ConfigRGB, fixtureClass);
}

// The keypad's hue (0..255) of a colour in degrees, as it is sent.
int keypadHue(const OvrColor &hsv)
{
    return MSPWireText::truncated(hsv.hue8() * 255.0 / 360.0);
}

} // namespace

void MSPVariableColorEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors, int,
                                           ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y)
{
    if (loadYxyOrRefuse(params, colors, Y, x, y))
        return;
    // The keypad's hue runs 0..255; 1.411764705882353 is 360 / 255.
    const float hue = params.at(0).trimmed().toFloat();
    const int saturation = params.at(1).trimmed().toInt();
    const int value = params.at(2).trimmed().toInt();
    const double degrees = hue * 1.411764705882353;
    const int truncatedDegrees = MSPWireText::truncated(degrees);
    OvrColor color;
    color.setHsv8(truncatedDegrees, saturation, value, 255, fixtureClass);

    // Degrees to keypad hue is a truncation as well, and the colour is kept
    // as RGB text, so the truncated degrees lose a step on every save or
    // upload. Take the whole degree, nearest first, that is sent back as
    // the hue that came in; the wire and file formats stay as they are.
    const int wireHue = MSPWireText::truncated(hue);
    if (color.isValid() && wireHue == hue && keypadHue(storedAsHsv(color, fixtureClass)) != wireHue) {
        const int roundedUp = MSPWireText::truncated(std::ceil(degrees));
        for (int candidate : { roundedUp, roundedUp + 1, truncatedDegrees - 1, roundedUp + 2 }) {
            if (candidate < 0 || candidate > 359)
                continue;
            OvrColor kept;
            kept.setHsv8(candidate, saturation, value, 255, fixtureClass);
            if (keypadHue(storedAsHsv(kept, fixtureClass)) == wireHue) {
                color = kept;
                break;
            }
        }
    }
    storeLoadedColor(color);
}

void MSPVariableColorEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                           float &y)
{
    clearParameters(params, colors, Y, x, y);
    OvrColor color(this->color());
    yxyOf(color, Y, x, y);
    const ColorUtils::PrismalProfileID fixtureClass = configuredFixtureClass();
    color.setPrismalProfileID(fixtureClass);
    const OvrColor hsv = color.convertTo(OvrColor::Hsv, ColorUtils::ConfigRGB, fixtureClass);
    params << QString::number(keypadHue(hsv)) << QString::number(hsv.saturation8())
           << QString::number(hsv.value8());
}

#include "moc_mspvariablecoloreffect.cpp"
