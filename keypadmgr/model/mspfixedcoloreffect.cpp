// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspfixedcoloreffect.h"

#include "modellogging.h"
#include "ovrcolor.h"

#include <cmath>

MSPFixedColorEffect::MSPFixedColorEffect(QObject *parent)
    : MSPFixedColorEffect(parent, FixedColor)
{
}

MSPFixedColorEffect::MSPFixedColorEffect(QObject *parent, int type)
    : MSPEffect(parent, type)
    , m_color(defaultColor())
{
}

MSPFixedColorEffect::~MSPFixedColorEffect() = default;

QString MSPFixedColorEffect::defaultColor()
{
    return QStringLiteral("#ff0000");
}

void MSPFixedColorEffect::setColor(const QString &color)
{
    updateParameter(m_color, keptColorName(color), [this] { emit colorChanged(m_color); });
}

void MSPFixedColorEffect::storeLoadedColor(const OvrColor &color)
{
    if (!color.isValid()) {
        qCWarning(lcKeypadModel) << "effect of type" << type() << "kept its colour: the loaded one is invalid";
        return;
    }
    m_color = color.aName();
}

OvrColor MSPFixedColorEffect::colorFromYxy(float Y, float x, float y)
{
    const auto inRange = [](float v) { return std::isfinite(v) && v >= 0.0f && v <= 1.0f; };
    OvrColor color;
    if (!inRange(Y) || !inRange(x) || !inRange(y))
        return color;
    color.setY(Y);
    color.setx(x);
    color.sety(y);
    return color;
}

bool MSPFixedColorEffect::loadYxyOrRefuse(const QStringList &params, const QList<OvrColor *> &colors, float Y,
                                          float x, float y)
{
    const bool hasYxy = Y != 0.0f || x != 0.0f || y != 0.0f;
    if (!acceptsParameters(params.size(), colors.size(), hasYxy))
        return true;
    if (hasYxy)
        storeLoadedColor(colorFromYxy(Y, x, y));
    return hasYxy;
}

void MSPFixedColorEffect::yxyOf(const OvrColor &color, float &Y, float &x, float &y)
{
    if (color.spec() != OvrColor::Yxy)
        return;
    Y = float(color.getY());
    x = float(color.getx());
    y = float(color.gety());
}

bool MSPFixedColorEffect::acceptsParameters(int paramCount, int colorCount, bool hasYxy) const
{
    Q_UNUSED(colorCount)
    // A colour given in Yxy needs no red, green and blue.
    return hasYxy || paramCount == 3;
}

void MSPFixedColorEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors,
                                        int, ColorUtils::PrismalProfileID fixtureClass, float Y, float x,
                                        float y)
{
    if (loadYxyOrRefuse(params, colors, Y, x, y))
        return;
    storeLoadedColor(OvrColor::fromRgb8(params.at(0).trimmed().toInt(), params.at(1).trimmed().toInt(),
                                        params.at(2).trimmed().toInt(), 255, fixtureClass));
}

void MSPFixedColorEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                        float &y)
{
    clearParameters(params, colors, Y, x, y);
    const OvrColor color(m_color);
    int rgb[3];
    colorToChannels(color, configuredFixtureClass(), rgb);
    params << QString::number(rgb[0]) << QString::number(rgb[1]) << QString::number(rgb[2]);
    yxyOf(color, Y, x, y);
}

#include "moc_mspfixedcoloreffect.cpp"
