// SPDX-License-Identifier: GPL-3.0-or-later
#include "tristimulus.h"

#include "ovrcolor.h"

#include <cmath>
#include <limits>

Tristimulus::Tristimulus(ColorUtils::PrismalProfileID profile)
    : m_profile(profile)
{
}

void Tristimulus::calculatePolygon()
{
    // The chromaticity of a single full channel does not depend on the
    // dimming curve, so the linear curve gives the corners directly and the
    // profile table (which may itself be under construction) is not needed.
    const OvrColor primaries[3] = {OvrColor::fromRgbF(1, 0, 0, 1, m_profile), OvrColor::fromRgbF(0, 1, 0, 1, m_profile),
                                   OvrColor::fromRgbF(0, 0, 1, 1, m_profile)};
    m_corners.clear();
    for (const OvrColor &primary : primaries) {
        double Yxy[3] = {0, 0, 0};
        ColorUtils::convertOvrColorToYxy(primary, this, Yxy, ColorUtils::CurveLinear);
        m_corners.append(QPointF(Yxy[1], Yxy[2]));
    }
    m_polygon = QPolygonF(m_corners.toVector());
}

bool Tristimulus::inside(double x, double y) const
{
    if (m_polygon.size() < 3)
        return false;
    return m_polygon.containsPoint(QPointF(x, y), Qt::OddEvenFill);
}

bool Tristimulus::closestPtOnGamut(double x, double y, double &xOut, double &yOut) const
{
    if (inside(x, y)) {
        xOut = x;
        yOut = y;
        return true;
    }
    const int n = m_corners.size();
    double best = std::numeric_limits<double>::infinity();
    QPointF bestPoint;
    bool found = false;
    for (int i = 0; i < n; ++i) {
        const QPointF &a = m_corners.at(i);
        const QPointF &last = m_corners.at(n - 1);
        int next = (i + 1) % n;
        if (std::fabs(a.x() - last.x()) <= 1e-12 && std::fabs(a.y() - last.y()) <= 1e-12)
            next = 0;
        QPointF nearest;
        const double d = ColorUtils::minDistance(a, m_corners.at(next), QPointF(x, y), nearest);
        if (d < best) {
            best = d;
            bestPoint = nearest;
            found = true;
        }
    }
    // No gamut, or a point that is not a number: (0, 0), which no mix reaches.
    xOut = found ? bestPoint.x() : 0.0;
    yOut = found ? bestPoint.y() : 0.0;
    return false;
}
