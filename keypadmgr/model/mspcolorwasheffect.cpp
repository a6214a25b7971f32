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
    updateParameter(m_speed, speed, [this] { emit speedChanged(m_speed); });
}

void MSPColorWashEffect::setDirection(int direction)
{
    updateParameter(m_direction, direction, [this] { emit directionChanged(m_direction); });
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
    clearParameters(params, colors, Y, x, y);
    params << QString::number(m_speed) << QString::number(m_direction);
}

#include "moc_mspcolorwasheffect.cpp"
