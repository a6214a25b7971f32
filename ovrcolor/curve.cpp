// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve.h"

Curve::~Curve() = default;

void Curve::applyCurve(int level, unsigned char *out) const
{
    if (!out)
        return;
    level = qBound(0, level, 255);
    *out = m_lut8.isEmpty() ? static_cast<unsigned char>(level) : m_lut8.at(level);
}

void Curve::applyCurve(int level, unsigned short *out) const
{
    if (!out)
        return;
    level = qBound(0, level, 65535);
    *out = m_lut16.isEmpty() ? static_cast<unsigned short>(level) : m_lut16.at(level);
}

void Curve::createLut()
{
}

void Curve::buildTablesFrom(const unsigned short (&levels)[256])
{
    m_lut16.resize(65536);
    for (int i = 0; i < 255; ++i) {
        const int base = levels[i];
        const int rise = int(levels[i + 1]) - base;
        for (int j = 0; j < 256; ++j)
            m_lut16[256 * i + j] = static_cast<unsigned short>(base + rise * j / 256);
    }
    for (int k = 65280; k < 65536; ++k)
        m_lut16[k] = levels[255];

    m_lut8.resize(256);
    for (int i = 0; i < 256; ++i) {
        int v = levels[i] >> 8;
        if ((levels[i] & 0x80) && v != 255)
            ++v;
        m_lut8[i] = static_cast<unsigned char>(v);
    }
}
