// SPDX-License-Identifier: GPL-3.0-or-later
#include "msprandomcoloreffect.h"

MSPRandomColorEffect::MSPRandomColorEffect(QObject *parent)
    : MSPEffect(parent, RandomColor)
{
}

MSPRandomColorEffect::~MSPRandomColorEffect() = default;

void MSPRandomColorEffect::setSpeed(int speed)
{
    if (speed == m_speed)
        return;
    m_speed = speed;
    emit speedChanged();
    emit effectParamsChanged();
}

void MSPRandomColorEffect::setFade(bool fade)
{
    if (fade == m_fade)
        return;
    m_fade = fade;
    emit fadeChanged();
    emit effectParamsChanged();
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
    params.clear();
    colors.clear();
    Y = x = y = 0.0f;
    params << QString::number(m_speed) << QString::number(m_fade ? 1 : 0);
}

#include "moc_msprandomcoloreffect.cpp"
