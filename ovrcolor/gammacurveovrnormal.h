// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLOR_GAMMACURVEOVRNORMAL_H
#define OVRCOLOR_GAMMACURVEOVRNORMAL_H

#include "curve.h"

/** The "Normal (Ovr Gamma)" dimming curve. */
class OVRCOLOR_EXPORT GammaCurveOvrNormal : public Curve
{
public:
    GammaCurveOvrNormal() = default;
    void createLut() override;
};

#endif // OVRCOLOR_GAMMACURVEOVRNORMAL_H
