// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

class OvrColor;

/**
 * The small colour patches the colour library shows beside each colour: the
 * colour over a checkerboard (so translucent colours read as such), in a
 * thin frame. Colours that are not RGB (Yxy, HSV, fixture channel levels)
 * are shown through their conversion to RGB; an invalid colour is an empty
 * frame with a diagonal stroke.
 */
class ColorThumbnail
{
public:
    /** Edge length in device-independent pixels. */
    static constexpr int size = 16;

    /** A size x size patch at the screen's pixel density. */
    static QPixmap generate(const OvrColor &color);
};
