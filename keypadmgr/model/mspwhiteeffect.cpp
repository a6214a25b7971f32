// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspwhiteeffect.h"

#include "mspwiretext.h"

MSPWhiteEffect::MSPWhiteEffect(QObject *parent)
    : MSPWhiteEffect(parent, RGBWhite)
{
}

MSPWhiteEffect::MSPWhiteEffect(QObject *parent, int type)
    : MSPEffect(parent, type)
{
}

MSPWhiteEffect::~MSPWhiteEffect() = default;

void MSPWhiteEffect::setTemperature(int temperature)
{
    updateParameter(m_temperature, temperature, [this] { emit temperatureChanged(); });
}

void MSPWhiteEffect::setBrightness(int brightness)
{
    updateParameter(m_brightness, brightness, [this] { emit brightnessChanged(); });
}

void MSPWhiteEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors, int,
                                   ColorUtils::PrismalProfileID, float, float, float)
{
    if (!acceptsParameters(params.size(), colors.size(), false))
        return;
    m_temperature = params.at(0).trimmed().toInt();
    // 0..255 back to percent, rounded half up; 0.39215686274509803 is 100 / 255.
    m_brightness = MSPWireText::truncated(params.at(1).trimmed().toFloat() * 0.39215686274509803 + 0.5);
}

void MSPWhiteEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y)
{
    clearParameters(params, colors, Y, x, y);
    params << QString::number(m_temperature)
           << QString::number(MSPWireText::truncated(m_brightness * 255.0 / 100.0 + 0.5));
}

#include "moc_mspwhiteeffect.cpp"
