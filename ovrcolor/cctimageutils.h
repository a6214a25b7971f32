// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

/**
 * Maps chromaticities, CCT and tint onto pixel positions of an image of the
 * chromaticity diagram. The window w gives the chromaticity of its top-left
 * corner, its width and its (possibly negative) height.
 */
class OVRCOLOR_EXPORT CCTImageUtils
{
public:
    static double getxyRectWidth(const QRectF &window);
    static double getxyRectHeight(const QRectF &window);
    static QPoint getPointFromxy(double x, double y, const QRectF &window, const QRect &pixels);
    static void getxyFromPoint(double &x, double &y, const QRectF &window, const QPointF &point, const QRect &pixels);
    static QPoint getPointFromCCTAndUnboundedTint(int cct, int tint, const QRectF &window, const QRect &pixels);
    static QPoint getPointFromCCTAndTint(int cct, int tint, const QRectF &window, const QRect &pixels);
    static QPoint getPointFromCCT(int cct, const QRectF &window, const QRect &pixels);
    static QPoint roundPoint(const QPointF &point);
    /** True only when the two segments cross within both; the crossing goes to at. */
    static bool linesIntersect(const QLineF &a, const QLineF &b, QPointF *at);

private:
    CCTImageUtils() = delete;
};
