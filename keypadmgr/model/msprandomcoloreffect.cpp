// SPDX-License-Identifier: GPL-3.0-or-later
#include "msprandomcoloreffect.h"

MSPRandomColorEffect::MSPRandomColorEffect(QObject *parent)
    : MSPEffect(parent, RandomColor)
{
}

MSPRandomColorEffect::~MSPRandomColorEffect() = default;

void MSPRandomColorEffect::setSpeed(int speed)
{
    updateParameter(m_speed, speed, [this] { emit speedChanged(); });
}

void MSPRandomColorEffect::setFade(bool fade)
{
    updateParameter(m_fade, fade, [this] { emit fadeChanged(); });
}

void MSPRandomColorEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors, int,
                                         ColorUtils::PrismalProfileID, float, float, float)
{
    if (!acceptsParameters(params.size(), colors.size(), false))
        return;
    // The keypad's speed is taken as it comes; only the editor limits it.
    m_speed = params.at(0).trimmed().toInt();
    m_fade = params.at(1).trimmed().toInt() != 0;
}

void MSPRandomColorEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                         float &y)
{
    clearParameters(params, colors, Y, x, y);
    params << QString::number(m_speed) << QString::number(m_fade ? 1 : 0);
}

#include "moc_msprandomcoloreffect.cpp"
