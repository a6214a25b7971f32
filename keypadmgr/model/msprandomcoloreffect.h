// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffect.h"

/** Type 5: random colours at a speed, optionally fading between them. */
class MSPRandomColorEffect : public MSPEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPRandomColorEffect)
    Q_PROPERTY(int speed READ speed WRITE setSpeed NOTIFY speedChanged)
    Q_PROPERTY(bool fade READ fade WRITE setFade NOTIFY fadeChanged)
public:
    explicit MSPRandomColorEffect(QObject *parent = nullptr);
    ~MSPRandomColorEffect() override;

    int speed() const { return m_speed; }
    bool fade() const { return m_fade; }

signals:
    void speedChanged();
    void fadeChanged();

public slots:
    void setSpeed(int speed);
    void setFade(bool fade);
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;

private:
    int m_speed = 1;
    bool m_fade = false;
};
