// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QStringList>
#include <QVector>

/**
 * CIE XYZ tristimulus values of each channel of a fixture profile and the
 * chromaticity polygon (gamut) of its red, green and blue channels.
 */
class OVRCOLOR_EXPORT Tristimulus
{
public:
    explicit Tristimulus(ColorUtils::PrismalProfileID profile = ColorUtils::ProfileGenericRGB);

    ColorUtils::PrismalProfileID profile() const { return m_profile; }
    int numChannels() const { return m_channelNames.size(); }

    const QVector<double> &getX() const { return m_X; }
    const QVector<double> &getY() const { return m_Y; }
    const QVector<double> &getZ() const { return m_Z; }
    void setX(const QVector<double> &X) { m_X = X; }
    void setY(const QVector<double> &Y) { m_Y = Y; }
    void setZ(const QVector<double> &Z) { m_Z = Z; }
    QStringList getChannelNames() const { return m_channelNames; }
    void setChannelNames(const QStringList &names) { m_channelNames = names; }

    /** The gamut's corner points, in order. */
    QList<QPointF> corners() const { return m_corners; }
    QPolygonF polygon() const { return m_polygon; }

    /** Rebuilds the gamut from the chromaticities of pure red, green and blue. */
    void calculatePolygon();
    /** True when (x, y) lies in the gamut (odd-even rule). */
    bool inside(double x, double y) const;
    /** The nearest point of the gamut; true (and the point itself) when it lies inside. */
    bool closestPtOnGamut(double x, double y, double &xOut, double &yOut) const;

private:
    QVector<double> m_X;
    QVector<double> m_Y;
    QVector<double> m_Z;
    QList<QPointF> m_corners;
    QPolygonF m_polygon;
    ColorUtils::PrismalProfileID m_profile;
    QStringList m_channelNames;
};
