// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctutils.h"

#include <cmath>

namespace {

struct CCTRegion {
    int start;
    int end;
    int step;
    double us, vs;   // locus at the start
    double ue, ve;   // locus at the end
    double uis, vis; // other end of the start isotherm
    double uie, vie; // other end of the end isotherm
    double up, vp;   // pivot where the two isotherm lines meet
};

// clang-format off
const CCTRegion regions[] = {
    {1900, 2000, 10, 0.31362707, 0.539567105, 0.305048412, 0.538598729, 0.312373253, 0.569508095, 0.303288784, 0.568482393, 0.331266037, 0.093346279},
    {2000, 2100, 10, 0.305048412, 0.538598729, 0.297242594, 0.537412382, 0.303288784, 0.568482393, 0.294959086, 0.5672162, 0.331266037, 0.093346279},
    {2100, 2200, 10, 0.297242594, 0.537412382, 0.290123069, 0.536041171, 0.294959086, 0.5672162, 0.287302405, 0.565741317, 0.297918651, 0.352913017},
    {2200, 2300, 10, 0.290123069, 0.536041171, 0.283614619, 0.534514984, 0.287302405, 0.565741317, 0.280248054, 0.564086914, 0.297918651, 0.352913017},
    {2300, 2400, 10, 0.283614619, 0.534514984, 0.277651715, 0.53286055, 0.280248054, 0.564086914, 0.273734713, 0.562279565, 0.297918651, 0.352913017},
    {2400, 2500, 10, 0.277651715, 0.53286055, 0.272177115, 0.531101586, 0.273734713, 0.562279565, 0.267707014, 0.560342429, 0.297918651, 0.352913017},
    {2500, 2700, 10, 0.272177115, 0.531101586, 0.262498385, 0.5273511, 0.267707014, 0.560342429, 0.256939359, 0.556168955, 0.297918651, 0.352913017},
    {2700, 2850, 10, 0.262498385, 0.5273511, 0.256190363, 0.524401136, 0.256939359, 0.556168955, 0.249834128, 0.552845751, 0.295405357, 0.352913017},
    {2850, 3000, 10, 0.256190363, 0.524401136, 0.250570564, 0.521384833, 0.249834128, 0.552845751, 0.243441836, 0.549413882, 0.293405357, 0.352913017},
    {3000, 3250, 10, 0.250570564, 0.521384833, 0.242485875, 0.51630497, 0.243441836, 0.549413882, 0.234146033, 0.543572273, 0.293405357, 0.352913017},
    {3250, 3500, 10, 0.242485875, 0.51630497, 0.235712158, 0.511261775, 0.234146033, 0.543572273, 0.226262174, 0.537701708, 0.293405357, 0.352913017},
    {3500, 3750, 10, 0.235712158, 0.511261775, 0.229987332, 0.50633665, 0.226262174, 0.537701708, 0.219535069, 0.531913747, 0.292905357, 0.352913017},
    {3750, 4000, 10, 0.229987332, 0.50633665, 0.225110551, 0.501581061, 0.219535069, 0.531913747, 0.213761074, 0.526282805, 0.292905357, 0.352913017},
    {4000, 4500, 10, 0.225110551, 0.501581061, 0.217311492, 0.492686146, 0.213761074, 0.526282805, 0.204464398, 0.515678371, 0.283317852, 0.374871514},
    {4500, 5000, 10, 0.217311492, 0.492686146, 0.211424442, 0.484673716, 0.204464398, 0.515678371, 0.197409438, 0.506075251, 0.283317852, 0.374871514},
    {5000, 5500, 10, 0.211424442, 0.484673716, 0.206881516, 0.477526065, 0.197409438, 0.506075251, 0.191960194, 0.497502222, 0.281822301, 0.377155595},
    {5500, 5700, 10, 0.206881516, 0.477526065, 0.205352151, 0.474895038, 0.191960194, 0.497502222, 0.190126503, 0.494347652, 0.281822301, 0.377155595},
    {5700, 6000, 10, 0.205352151, 0.474895038, 0.203307932, 0.471176748, 0.190126503, 0.494347652, 0.187676864, 0.489892392, 0.281822301, 0.377155595},
    {6000, 6500, 10, 0.203307932, 0.471176748, 0.200449021, 0.465542606, 0.187676864, 0.489892392, 0.184260108, 0.48315845, 0.281822301, 0.377155595},
    {6500, 8000, 10, 0.200449021, 0.465542606, 0.194624637, 0.452114608, 0.184260108, 0.48315845, 0.177339282, 0.46720557, 0.283985539, 0.374565172},
    {8000, 10000, 10, 0.194624637, 0.452114608, 0.190318787, 0.439897086, 0.177339282, 0.46720557, 0.172280415, 0.452854268, 0.293569827, 0.3657},
    {10000, 12500, 10, 0.190318787, 0.439897086, 0.187398002, 0.430013571, 0.172280415, 0.452854268, 0.168890008, 0.44138335, 0.299183841, 0.361697993},
};
// clang-format on

constexpr int RegionCount = int(sizeof(regions) / sizeof(regions[0]));
constexpr int LastRegion = RegionCount - 1;
constexpr int MinCCT = 1950;
constexpr int MaxCCT = 11000;
constexpr int MaxTint = 32767;

int stepsIn(const CCTRegion &r)
{
    return (r.end - r.start) / r.step;
}

double distance(double u1, double v1, double u2, double v2)
{
    const double du = u1 - u2;
    const double dv = v1 - v2;
    return std::sqrt(du * du + dv * dv);
}

// Crossing of the lines through a and b; false when they are parallel.
// With `bounded`, also false unless the crossing lies within both segments.
bool intersect(const QLineF &a, const QLineF &b, bool bounded, QPointF *at)
{
    const double adx = a.x2() - a.x1();
    const double ady = a.y2() - a.y1();
    const double bdx = b.x2() - b.x1();
    const double bdy = b.y2() - b.y1();
    const double denominator = adx * bdy - ady * bdx;
    if (denominator == 0.0 || !std::isfinite(denominator))
        return false;
    const double cx = b.x1() - a.x1();
    const double cy = b.y1() - a.y1();
    const double na = cx * bdy - cy * bdx;
    const double nb = cx * ady - cy * adx;
    if (bounded) {
        // Within both segments means 0 <= n / denominator <= 1; tested
        // without dividing, as most region lines are missed.
        const bool positive = denominator > 0.0;
        if (positive ? (na < 0.0 || na > denominator || nb < 0.0 || nb > denominator)
                     : (na > 0.0 || na < denominator || nb > 0.0 || nb < denominator))
            return false;
    }
    const double ta = na / denominator;
    const double tb = nb / denominator;
    if (!std::isfinite(ta) || !std::isfinite(tb))
        return false;
    if (at)
        *at = QPointF(a.x1() + ta * adx, a.y1() + ta * ady);
    return true;
}

// Cheap test whether the pivot line of a region (0.7 long, from the pivot
// towards (u, v)) can cross the region line (from the end point 1.5 chords
// back past the start). It works on the unscaled direction without roots or
// divisions and allows a little slack, so it never rejects a crossing the
// exact test would find; it only spares that test for the regions missed.
bool mayCrossRegion(const CCTRegion &r, double u, double v)
{
    const double dx = u - r.up;
    const double dy = v - r.vp;
    const double rx = 1.5 * (r.us - r.ue);
    const double ry = 1.5 * (r.vs - r.ve);
    double den = dx * ry - dy * rx;
    if (den == 0.0)
        return false;
    const double cx = r.ue - r.up;
    const double cy = r.ve - r.vp;
    double na = cx * ry - cy * rx; // along the pivot line, in units of (dx, dy)
    double nb = cx * dy - cy * dx; // along the region line
    if (den < 0.0) {
        den = -den;
        na = -na;
        nb = -nb;
    }
    const double slack = 1e-9 * den;
    if (nb < -slack || nb > den + slack || na < -slack)
        return false;
    // na / den * |d| <= 0.7, squared.
    return na * na * (dx * dx + dy * dy) <= 0.49 * den * den * (1.0 + 1e-9);
}

} // namespace

// ---------------------------------------------------------------------------
// Limits and validity

int CCTUtils::getMinCCT()
{
    return MinCCT;
}

int CCTUtils::getMaxCCT()
{
    return MaxCCT;
}

int CCTUtils::getMinTint()
{
    return -MaxTint;
}

int CCTUtils::getMaxTint()
{
    return MaxTint;
}

int CCTUtils::getCCTStepSize()
{
    return 10;
}

bool CCTUtils::isValidCCT(int cct)
{
    return cct >= MinCCT && cct <= MaxCCT;
}

bool CCTUtils::xyAreValid(double x, double y)
{
    return x >= 0.0 && x <= 0.8 && y >= 0.0 && y <= 0.9;
}

bool CCTUtils::uvPrimeAreValid(double u, double v)
{
    return u >= 0.0 && u <= 0.6 && v >= 0.0 && v <= 0.6;
}

bool CCTUtils::cctIsInRegion(int cct, int region)
{
    return region >= 0 && region < RegionCount && cct >= regions[region].start && cct < regions[region].end;
}

bool CCTUtils::isMaxCCTRegionIndex(int region)
{
    return region == LastRegion;
}

int CCTUtils::getCCTRegionIndex(int cct)
{
    for (int i = 0; i < RegionCount; ++i) {
        if (cctIsInRegion(cct, i))
            return i;
    }
    return LastRegion;
}

// ---------------------------------------------------------------------------
// Coordinate conversions and distances

double CCTUtils::getuPrimeFromxy(double x, double y)
{
    return 4.0 * x / (-2.0 * x + 12.0 * y + 3.0);
}

double CCTUtils::getvPrimeFromxy(double x, double y)
{
    return 9.0 * y / (-2.0 * x + 12.0 * y + 3.0);
}

double CCTUtils::getxFromuvPrime(double u, double v)
{
    return 9.0 * u / (6.0 * u - 16.0 * v + 12.0);
}

double CCTUtils::getyFromuvPrime(double u, double v)
{
    return 4.0 * v / (6.0 * u - 16.0 * v + 12.0);
}

double CCTUtils::getDistanceBetweenPoints(QPointF a, QPointF b)
{
    return distance(a.x(), a.y(), b.x(), b.y());
}

double CCTUtils::getDuvPrimeFromuvPrime(double u1, double v1, double u2, double v2)
{
    return distance(u1, v1, u2, v2);
}

double CCTUtils::getDuvFromuvPrime(double u1, double v1, double u2, double v2)
{
    return distance(u1, v1 / 1.5, u2, v2 / 1.5);
}

double CCTUtils::getDuvFromxy(double x1, double y1, double x2, double y2)
{
    return getDuvFromuvPrime(getuPrimeFromxy(x1, y1), getvPrimeFromxy(x1, y1), getuPrimeFromxy(x2, y2),
                             getvPrimeFromxy(x2, y2));
}

// ---------------------------------------------------------------------------
// Region geometry

QLineF CCTUtils::getCCTRegionLine(int region)
{
    // From the end point back past the start, 1.5 chords long, so that a
    // pivot line crossing just below the start still finds the region.
    const CCTRegion &r = regions[region];
    return QLineF(r.ue, r.ve, r.ue + 1.5 * (r.us - r.ue), r.ve + 1.5 * (r.vs - r.ve));
}

QLineF CCTUtils::getPivotLine(int region, double u, double v)
{
    const CCTRegion &r = regions[region];
    return QLineF(r.up, r.vp, u, v);
}

QLineF CCTUtils::getStandardLengthPivotLine(int region, double u, double v)
{
    QLineF line = getPivotLine(region, u, v);
    const double length = distance(line.x1(), line.y1(), line.x2(), line.y2());
    // A point on the pivot gives no direction: no line at all.
    if (!(length > 0.0))
        return QLineF(line.p1(), line.p1());
    const double scale = 0.7 / length;
    return QLineF(line.x1(), line.y1(), line.x1() + (line.x2() - line.x1()) * scale,
                  line.y1() + (line.y2() - line.y1()) * scale);
}

bool CCTUtils::linesIntersect(const QLineF &a, const QLineF &b, QPointF *at)
{
    return intersect(a, b, true, at);
}

bool CCTUtils::lineIntersectsRegion(int region, const QLineF &pivotLine, QPointF *at)
{
    return linesIntersect(pivotLine, getCCTRegionLine(region), at);
}

double CCTUtils::getRegionPositionFromuvPrimeAndRegion(int region, double u, double v)
{
    const CCTRegion &r = regions[region];
    const double fromStart = distance(u, v, r.us, r.vs);
    const double fromEnd = distance(u, v, r.ue, r.ve);
    return fromStart / (fromEnd + fromStart);
}

int CCTUtils::getCCTFromCCTRegionAndRegionPosition(int region, double position)
{
    const CCTRegion &r = regions[region];
    return r.start + r.step * int(std::floor(stepsIn(r) * position + 0.5));
}

int CCTUtils::getCCTFromuvAndCCTRegion(int region, double u, double v)
{
    return getCCTFromCCTRegionAndRegionPosition(region, getRegionPositionFromuvPrimeAndRegion(region, u, v));
}

int CCTUtils::getNumCCTStepsFromCCT(int region, int cct)
{
    // Whole 10-kelvin steps from the region's start, in integers: the
    // floating form (cct - start) / (end - start) * n drops a step for some
    // temperatures (4290 K would land on 4280 K).
    const CCTRegion &r = regions[region];
    return (cct - r.start) * stepsIn(r) / (r.end - r.start);
}

void CCTUtils::getuvPrimeFromCCTRegionWithNumSteps(int region, int steps, double &u, double &v)
{
    const CCTRegion &r = regions[region];
    const int n = stepsIn(r);
    u = r.us + steps * (r.ue - r.us) / n;
    v = r.vs + steps * (r.ve - r.vs) / n;
}

void CCTUtils::getuvPrimeFromCCTRegion(int region, int cct, double &u, double &v)
{
    getuvPrimeFromCCTRegionWithNumSteps(region, getNumCCTStepsFromCCT(region, cct), u, v);
}

double CCTUtils::getIsoDuvPrimeFromCCTRegionAndRegionPosition(int region, double position)
{
    const CCTRegion &r = regions[region];
    const double lu = r.us + position * (r.ue - r.us);
    const double lv = r.vs + position * (r.ve - r.vs);
    const double iu = r.uis + position * (r.uie - r.uis);
    const double iv = r.vis + position * (r.vie - r.vis);
    return distance(lu, lv, iu, iv);
}

double CCTUtils::getIsoLineDuvPrime(int region, double u, double v)
{
    return getIsoDuvPrimeFromCCTRegionAndRegionPosition(region, getRegionPositionFromuvPrimeAndRegion(region, u, v));
}

void CCTUtils::tintuvPrime(int region, int tint, double &u, double &v)
{
    if (tint == 0)
        return;
    const CCTRegion &r = regions[region];
    const double length = getIsoLineDuvPrime(region, u, v);
    const double du = r.up - u;
    const double dv = r.vp - v;
    // The move runs along the line through the pivot; a point right above
    // or below the pivot moves vertically, one on the pivot cannot move.
    double angle;
    if (du != 0.0)
        angle = std::atan(dv / du);
    else if (dv != 0.0)
        angle = dv > 0.0 ? M_PI / 2.0 : -M_PI / 2.0;
    else
        return;
    const double d = -length * tint / double(MaxTint);
    u += std::cos(angle) * d;
    v += std::sin(angle) * d;
}

int CCTUtils::getTintEnd(int region, QPointF intersection, double u, double v)
{
    const CCTRegion &r = regions[region];
    return distance(r.up, r.vp, intersection.x(), intersection.y()) < distance(r.up, r.vp, u, v) ? MaxTint
                                                                                                   : -MaxTint;
}

int CCTUtils::getTintFromuvAndIntersectionPoint(int region, double u, double v, QPointF intersection)
{
    const int end = getTintEnd(region, intersection, u, v);
    double tu = intersection.x();
    double tv = intersection.y();
    tintuvPrime(region, end, tu, tv);
    const double full = distance(tu, tv, intersection.x(), intersection.y());
    if (!(full > 0.0))
        return 0;
    const double tint = distance(u, v, intersection.x(), intersection.y()) / full * end;
    if (!std::isfinite(tint))
        return 0;
    // Valid u'v' keep the magnitude far below the int range; bound it anyway.
    return int(qBound(-2147483647.0, tint, 2147483647.0));
}

void CCTUtils::getCCTAndTintFromuvAndCCTRegion(int region, QPointF intersection, double u, double v, int &cct,
                                               int &tint)
{
    cct = getCCTFromCCTRegionAndRegionPosition(
        region, getRegionPositionFromuvPrimeAndRegion(region, intersection.x(), intersection.y()));
    tint = getTintFromuvAndIntersectionPoint(region, u, v, intersection);
}

void CCTUtils::getxyFromCCTRegion(int region, int cct, int tint, double &x, double &y)
{
    double u = 0.0, v = 0.0;
    getuvPrimeFromCCTRegion(region, cct, u, v);
    tintuvPrime(region, tint, u, v);
    x = getxFromuvPrime(u, v);
    y = getyFromuvPrime(u, v);
}

void CCTUtils::getuvPrimeFromValidCCTAndTint(int cct, int tint, double &u, double &v)
{
    const int region = getCCTRegionIndex(cct);
    getuvPrimeFromCCTRegion(region, cct, u, v);
    tintuvPrime(region, tint, u, v);
}

// ---------------------------------------------------------------------------
// Public conversions

bool CCTUtils::getuvPrimeFromCCT(int cct, double &u, double &v)
{
    return getuvPrimeFromCCTAndTint(cct, 0, u, v);
}

bool CCTUtils::getuvPrimeFromCCTAndTint(int cct, int tint, double &u, double &v)
{
    if (!isValidCCT(cct)) {
        u = v = 0.0;
        return false;
    }
    getuvPrimeFromValidCCTAndTint(cct, tint, u, v);
    return true;
}

bool CCTUtils::getxyFromCCT(int cct, double &x, double &y)
{
    return getxyFromCCTAndTint(cct, 0, x, y);
}

bool CCTUtils::getxyFromCCTAndTint(int cct, int tint, double &x, double &y)
{
    double u = 0.0, v = 0.0;
    if (!getuvPrimeFromCCTAndTint(cct, tint, u, v)) {
        x = y = 0.0;
        return false;
    }
    x = getxFromuvPrime(u, v);
    y = getyFromuvPrime(u, v);
    return true;
}

bool CCTUtils::getCCTAndTintFromuvPrime(double u, double v, int &cct, int &tint)
{
    if (!uvPrimeAreValid(u, v))
        return false;
    int c = 0, t = 0;
    if (!getCCTAndTintFromValiduvPrime(u, v, c, t))
        return false;
    cct = c;
    tint = t;
    return true;
}

bool CCTUtils::getCCTAndTintFromValiduvPrime(double u, double v, int &cct, int &tint)
{
    for (int i = 0; i < RegionCount; ++i) {
        if (!mayCrossRegion(regions[i], u, v))
            continue;
        const QLineF pivotLine = getStandardLengthPivotLine(i, u, v);
        if (pivotLine.p1() == pivotLine.p2())
            continue;
        QPointF at;
        if (lineIntersectsRegion(i, pivotLine, &at)) {
            getCCTAndTintFromuvAndCCTRegion(i, at, u, v, cct, tint);
            return true;
        }
    }
    // Beyond every region: the last region's lines, unbounded.
    QPointF at;
    if (!intersect(getPivotLine(LastRegion, u, v), getCCTRegionLine(LastRegion), false, &at))
        return false;
    getCCTAndTintFromuvAndCCTRegion(LastRegion, at, u, v, cct, tint);
    return true;
}

bool CCTUtils::getCCTAndTintFromxy(double x, double y, int &cct, int &tint)
{
    if (!xyAreValid(x, y))
        return false;
    return getCCTAndTintFromuvPrime(getuPrimeFromxy(x, y), getvPrimeFromxy(x, y), cct, tint);
}
