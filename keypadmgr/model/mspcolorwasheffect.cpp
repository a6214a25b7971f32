// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffect.h"

#include <QtGlobal>

MSPColorWashEffect::MSPColorWashEffect(QObject *parent)
    : MSPColorWashEffect(parent, ColorWash)
{
}

MSPColorWashEffect::MSPColorWashEffect(QObject *parent, int type)
    : MSPEffect(parent, type)
{
}

MSPColorWashEffect::~MSPColorWashEffect() = default;

void MSPColorWashEffect::setSpeed(int speed)
{
    if (speed == m_speed)
        return;
    m_speed = speed;
    emit speedChanged(m_speed);
    emit effectParamsChanged();
}

void MSPColorWashEffect::setDirection(int direction)
{
    if (direction == m_direction)
        return;
    m_direction = direction;
    emit directionChanged(m_direction);
    emit effectParamsChanged();
}

void MSPColorWashEffect::loadSpeedAndDirection(const QStringList &params)
{
    m_speed = qBound(minimumSpeed, params.at(0).trimmed().toInt(), maximumSpeed);
    m_direction = qBound(0, params.at(1).trimmed().toInt(), 1);
}

void MSPColorWashEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors, int,
                                       ColorUtils::PrismalProfileID, float, float, float)
{
    if (!acceptsParameters(params.size(), colors.size(), false))
        return;
    loadSpeedAndDirection(params);
}

void MSPColorWashEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                       float &y)
{
    params.clear();
    colors.clear();
    Y = x = y = 0.0f;
    params << QString::number(m_speed) << QString::number(m_direction);
}

#include "moc_mspcolorwasheffect.cpp"
