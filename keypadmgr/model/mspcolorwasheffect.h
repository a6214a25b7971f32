// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffect.h"

/** Type 2: the keypad's colour wash, with a speed 1..32 and a direction 0..1. */
class MSPColorWashEffect : public MSPEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPColorWashEffect)
    Q_PROPERTY(int speed READ speed WRITE setSpeed NOTIFY speedChanged)
    Q_PROPERTY(int direction READ direction WRITE setDirection NOTIFY directionChanged)
public:
    static constexpr int minimumSpeed = 1;
    static constexpr int maximumSpeed = 32;

    explicit MSPColorWashEffect(QObject *parent = nullptr);
    ~MSPColorWashEffect() override;

    int speed() const { return m_speed; }
    int direction() const { return m_direction; }

signals:
    void speedChanged(int speed);
    void directionChanged(int direction);

public slots:
    void setSpeed(int speed);
    void setDirection(int direction);
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;

protected:
    MSPColorWashEffect(QObject *parent, int type);
    /** Speed and direction from the first two entries, clamped. */
    void loadSpeedAndDirection(const QStringList &params);

private:
    int m_speed = 1;
    int m_direction = 0;
};
