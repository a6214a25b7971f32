// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curve.h"

/** The "Normal (Ovr Gamma)" dimming curve. */
class OVRCOLOR_EXPORT GammaCurveOvrNormal : public Curve
{
public:
    GammaCurveOvrNormal() = default;
    void createLut() override;
};
