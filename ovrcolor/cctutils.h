// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QLineF>
#include <QPointF>

/**
 * Conversions between a white point given as correlated colour temperature
 * (kelvin) plus tint and chromaticity (CIE 1976 u'v' or CIE 1931 xy), over a
 * piecewise model of 22 regions of the black-body locus.
 */
class OVRCOLOR_EXPORT CCTUtils
{
public:
    /** u'v' of a CCT at tint 0; false and 0, 0 when the CCT is out of range. */
    static bool getuvPrimeFromCCT(int cct, double &u, double &v);
    static bool getuvPrimeFromCCTAndTint(int cct, int tint, double &u, double &v);
    static bool getxyFromCCT(int cct, double &x, double &y);
    static bool getxyFromCCTAndTint(int cct, int tint, double &x, double &y);
    /** False (outputs untouched) when u'v' are out of range. */
    static bool getCCTAndTintFromuvPrime(double u, double v, int &cct, int &tint);
    static bool getCCTAndTintFromxy(double x, double y, int &cct, int &tint);

    static double getDistanceBetweenPoints(QPointF a, QPointF b);
    static double getDuvPrimeFromuvPrime(double u1, double v1, double u2, double v2);
    static double getDuvFromuvPrime(double u1, double v1, double u2, double v2);
    static double getDuvFromxy(double x1, double y1, double x2, double y2);

    static double getuPrimeFromxy(double x, double y);
    static double getvPrimeFromxy(double x, double y);
    static double getxFromuvPrime(double u, double v);
    static double getyFromuvPrime(double u, double v);

    static int getMinCCT();
    static int getMaxCCT();
    static int getMinTint();
    static int getMaxTint();
    static int getCCTStepSize();

private:
    CCTUtils() = delete;

    static bool cctIsInRegion(int cct, int region);
    static bool isValidCCT(int cct);
    static bool xyAreValid(double x, double y);
    static bool uvPrimeAreValid(double u, double v);
    static bool isMaxCCTRegionIndex(int region);
    static int getCCTRegionIndex(int cct);
    static QLineF getCCTRegionLine(int region);
    static QLineF getPivotLine(int region, double u, double v);
    static QLineF getStandardLengthPivotLine(int region, double u, double v);
    static bool linesIntersect(const QLineF &a, const QLineF &b, QPointF *at);
    static bool lineIntersectsRegion(int region, const QLineF &pivotLine, QPointF *at);
    static double getRegionPositionFromuvPrimeAndRegion(int region, double u, double v);
    static int getCCTFromCCTRegionAndRegionPosition(int region, double position);
    static int getCCTFromuvAndCCTRegion(int region, double u, double v);
    static int getNumCCTStepsFromCCT(int region, int cct);
    static void getuvPrimeFromCCTRegion(int region, int cct, double &u, double &v);
    static void getuvPrimeFromCCTRegionWithNumSteps(int region, int steps, double &u, double &v);
    static double getIsoDuvPrimeFromCCTRegionAndRegionPosition(int region, double position);
    static double getIsoLineDuvPrime(int region, double u, double v);
    static void tintuvPrime(int region, int tint, double &u, double &v);
    static int getTintEnd(int region, QPointF intersection, double u, double v);
    static int getTintFromuvAndIntersectionPoint(int region, double u, double v, QPointF intersection);
    static void getCCTAndTintFromuvAndCCTRegion(int region, QPointF intersection, double u, double v, int &cct,
                                                int &tint);
    static void getxyFromCCTRegion(int region, int cct, int tint, double &x, double &y);
    static void getuvPrimeFromValidCCTAndTint(int cct, int tint, double &u, double &v);
    static bool getCCTAndTintFromValiduvPrime(double u, double v, int &cct, int &tint);

    friend class CCTImageUtils;
};
