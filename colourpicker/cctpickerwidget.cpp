// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctpickerwidget.h"

#include "bandmarker.h"
#include "cctutils.h"
#include "ovrcolor.h"

#include <QPainter>

#include <cmath>

namespace OvrColorPickerLib {

namespace {
// Kelvin steps of the keyboard and the wheel; the arrow keys move one step of
// the white geometry's grid.
constexpr int kPageStep = 100;
constexpr int kWheelStep = 100;
const int kScaleMarks[] = {2000, 3000, 4000, 5000, 6500, 8000, 11000};

double mired(int cct)
{
    return 1.0e6 / cct;
}

int snapCCT(int cct)
{
    const int step = CCTUtils::getCCTStepSize();
    cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    return qBound(CCTUtils::getMinCCT(), (cct + step / 2) / step * step, CCTUtils::getMaxCCT());
}
} // namespace

CCTPickerWidget::CCTPickerWidget(QWidget *parent)
    : BandPickerWidget(4000, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(tr("Colour temperature band"));
    setToolTip(tr("Click or drag to choose the colour temperature"));
    connect(this, &BandPickerWidget::valuePicked, this, &CCTPickerWidget::cctChanged);
}

CCTPickerWidget::~CCTPickerWidget() = default;

QRect CCTPickerWidget::bandRect() const
{
    const int margin = fontMetrics().height() / 2;
    const int bandHeight = qMax(fontMetrics().height(), height() - fontMetrics().height() - margin * 2);
    return QRect(margin, margin / 2, width() - margin * 2, bandHeight);
}

int CCTPickerWidget::positionForCCT(int cct) const
{
    const QRect r = bandRect();
    const double lo = mired(CCTUtils::getMinCCT());
    const double hi = mired(CCTUtils::getMaxCCT());
    const double t = (lo - mired(snapCCT(cct))) / (lo - hi);
    return r.left() + qRound(t * (r.width() - 1));
}

int CCTPickerWidget::cctAtPosition(int x) const
{
    const QRect r = bandRect();
    const double t = qBound(0.0, double(x - r.left()) / qMax(1, r.width() - 1), 1.0);
    const double lo = mired(CCTUtils::getMinCCT());
    const double hi = mired(CCTUtils::getMaxCCT());
    return snapCCT(qRound(1.0e6 / (lo - t * (lo - hi))));
}

QSize CCTPickerWidget::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return QSize(fm.horizontalAdvance(QStringLiteral("11000 K")) * 7, fm.height() * 3);
}

QSize CCTPickerWidget::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return QSize(fm.horizontalAdvance(QStringLiteral("11000 K")) * 3, fm.height() * 5 / 2);
}

void CCTPickerWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = bandRect();
    paintBand(p);

    // Scale: ticks under the band and their temperatures, skipping a label
    // that would run into its neighbour.
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    int lastRight = -1;
    for (int mark : kScaleMarks) {
        const int x = positionForCCT(mark);
        p.drawLine(x, r.bottom() + 1, x, r.bottom() + fm.height() / 4);
        const QString text = tr("%1 K").arg(mark);
        const int w = fm.horizontalAdvance(text);
        const int left = qBound(0, x - w / 2, width() - w);
        if (left <= lastRight)
            continue;
        p.drawText(QRect(left, r.bottom() + fm.height() / 4, w, fm.height()), Qt::AlignCenter, text);
        lastRight = left + w + fm.horizontalAdvance(QLatin1Char(' '));
    }

    // Marker: a triangle above and below the band and a thin line across.
    const int x = positionForCCT(cct());
    const int s = qMax(3, fm.height() / 3);
    paintBandMarker(p, r, x, s, true);
    paintBandFocus(p, this, r);
}

int CCTPickerWidget::valueAt(int x) const
{
    return cctAtPosition(x);
}

int CCTPickerWidget::validValue(int value) const
{
    return snapCCT(value);
}

BandPickerWidget::Steps CCTPickerWidget::steps() const
{
    return {CCTUtils::getCCTStepSize(), kPageStep, kWheelStep, CCTUtils::getMinCCT(), CCTUtils::getMaxCCT()};
}

OvrColor CCTPickerWidget::bandColorAt(int x) const
{
    double cx = 0;
    double cy = 0;
    CCTUtils::getxyFromCCT(cctAtPosition(x), cx, cy);
    return OvrColor(cx, cy);
}

} // namespace OvrColorPickerLib
