// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLOR_GAMMACURVETUNGSTEN_H
#define OVRCOLOR_GAMMACURVETUNGSTEN_H

#include "curve.h"

/** The "Tungsten/Incandescent" dimming curve. */
class OVRCOLOR_EXPORT GammaCurveTungsten : public Curve
{
public:
    GammaCurveTungsten() = default;
    void createLut() override;
};

#endif // OVRCOLOR_GAMMACURVETUNGSTEN_H
