// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curve.h"

/** The "Tungsten/Incandescent" dimming curve. */
class OVRCOLOR_EXPORT GammaCurveTungsten : public Curve
{
public:
    GammaCurveTungsten() = default;
    void createLut() override;
};
