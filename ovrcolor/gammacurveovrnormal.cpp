// SPDX-License-Identifier: GPL-3.0-or-later
#include "gammacurveovrnormal.h"

#include <cmath>

void GammaCurveOvrNormal::createLut()
{
    unsigned short levels[256];
    for (int i = 0; i < 256; ++i) {
        const double output = 0.941203 * i * i + 16.936 * i - 0.065865;
        const double multiple = 4.0 * std::floor(output / 4.0 + 0.5);
        levels[i] = static_cast<unsigned short>(multiple < 0.0 ? 0.0 : multiple);
    }
    // The fixture's own table differs from the formula in three places.
    levels[236] = 56416;
    levels[239] = 57808;
    levels[253] = 64528;
    buildTablesFrom(levels);
}
