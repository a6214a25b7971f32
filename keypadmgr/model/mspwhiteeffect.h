// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffect.h"

/**
 * Type 6: white light mixed from RGB, with a colour temperature 0..255 and a
 * brightness in percent (sent as 0..255).
 */
class MSPWhiteEffect : public MSPEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPWhiteEffect)
    Q_PROPERTY(int temperature READ temperature WRITE setTemperature NOTIFY temperatureChanged)
    Q_PROPERTY(int brightness READ brightness WRITE setBrightness NOTIFY brightnessChanged)
public:
    explicit MSPWhiteEffect(QObject *parent = nullptr);
    ~MSPWhiteEffect() override;

    int temperature() const { return m_temperature; }
    int brightness() const { return m_brightness; }

signals:
    void temperatureChanged();
    void brightnessChanged();

public slots:
    void setTemperature(int temperature);
    void setBrightness(int brightness);
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;

protected:
    MSPWhiteEffect(QObject *parent, int type);

private:
    int m_temperature = 0;
    int m_brightness = 100;
};
