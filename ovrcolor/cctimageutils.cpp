// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctimageutils.h"

#include "cctutils.h"

#include <QtGlobal>

#include <cmath>

namespace {

// Pixel coordinates from doubles: a window of zero size or a point that is
// not a number lands on 0, huge values stop at the int range.
int toPixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    return int(qBound(-1073741823.0, std::floor(value + 0.5), 1073741823.0));
}

} // namespace

double CCTImageUtils::getxyRectWidth(const QRectF &window)
{
    return std::fabs(window.width());
}

double CCTImageUtils::getxyRectHeight(const QRectF &window)
{
    return std::fabs(window.height());
}

QPoint CCTImageUtils::getPointFromxy(double x, double y, const QRectF &window, const QRect &pixels)
{
    const double W = pixels.right() - pixels.left() + 1;
    const double H = pixels.bottom() - pixels.top() + 1;
    const double w = getxyRectWidth(window);
    const double h = getxyRectHeight(window);
    if (!(w > 0.0) || !(h > 0.0))
        return QPoint(0, 0);
    return QPoint(toPixel(W * (x - window.x()) / w), toPixel(H * (window.y() - y) / h));
}

void CCTImageUtils::getxyFromPoint(double &x, double &y, const QRectF &window, const QPointF &point,
                                   const QRect &pixels)
{
    const double W = pixels.right() - pixels.left() + 1;
    const double H = pixels.bottom() - pixels.top() + 1;
    if (!(W > 0.0) || !(H > 0.0)) {
        x = window.x();
        y = window.y();
        return;
    }
    const double w = getxyRectWidth(window);
    const double h = getxyRectHeight(window);
    x = window.x() + point.x() / W * w;
    y = window.y() + window.height() + h - point.y() / H * h;
}

QPoint CCTImageUtils::getPointFromCCTAndUnboundedTint(int cct, int tint, const QRectF &window, const QRect &pixels)
{
    cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    double x = 0.0, y = 0.0;
    CCTUtils::getxyFromCCTAndTint(cct, tint, x, y);
    return getPointFromxy(x, y, window, pixels);
}

QPoint CCTImageUtils::getPointFromCCTAndTint(int cct, int tint, const QRectF &window, const QRect &pixels)
{
    tint = qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
    return getPointFromCCTAndUnboundedTint(cct, tint, window, pixels);
}

QPoint CCTImageUtils::getPointFromCCT(int cct, const QRectF &window, const QRect &pixels)
{
    return getPointFromCCTAndTint(cct, 0, window, pixels);
}

QPoint CCTImageUtils::roundPoint(const QPointF &point)
{
    return QPoint(toPixel(point.x()), toPixel(point.y()));
}

bool CCTImageUtils::linesIntersect(const QLineF &a, const QLineF &b, QPointF *at)
{
    return CCTUtils::linesIntersect(a, b, at);
}
