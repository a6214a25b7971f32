// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspfixedcoloreffect.h"

/** Type 1: one colour, sent as hue (0..255), saturation and value. */
class MSPVariableColorEffect : public MSPFixedColorEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPVariableColorEffect)
public:
    explicit MSPVariableColorEffect(QObject *parent = nullptr);
    ~MSPVariableColorEffect() override;

public slots:
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;
};
