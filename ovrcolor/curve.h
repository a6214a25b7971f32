// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QVector>

/**
 * A dimming curve with optional 8-bit (256 entries) and 16-bit (65536
 * entries) lookup tables. Without tables (the linear curve) levels pass
 * through unchanged.
 */
class OVRCOLOR_EXPORT Curve
{
public:
    Curve() = default;
    virtual ~Curve();

    /** Maps an 8-bit level (clamped to 0..255) through the curve. */
    void applyCurve(int level, unsigned char *out) const;
    /** Maps a 16-bit level (clamped to 0..65535) through the curve. */
    void applyCurve(int level, unsigned short *out) const;

    bool hasTables() const { return !m_lut8.isEmpty(); }
    const QVector<unsigned char> &lut8() const { return m_lut8; }
    const QVector<unsigned short> &lut16() const { return m_lut16; }

    /** Builds the tables; the base class has none. */
    virtual void createLut();

protected:
    /** Builds both tables from 256 16-bit output levels. */
    void buildTablesFrom(const unsigned short (&levels)[256]);

    QVector<unsigned char> m_lut8;
    QVector<unsigned short> m_lut16;

private:
    Q_DISABLE_COPY(Curve)
};
