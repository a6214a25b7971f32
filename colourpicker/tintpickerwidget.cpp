// SPDX-License-Identifier: GPL-3.0-or-later
#include "tintpickerwidget.h"

#include "bandmarker.h"
#include "cctutils.h"
#include "ovrcolor.h"

#include <QKeyEvent>
#include <QPainter>

namespace OvrColorPickerLib {

namespace {
// One arrow press moves the tint by a hundredth of the isotherm, a page or a
// wheel notch by a tenth.
int smallStep()
{
    return qRound(CCTUtils::getMaxTint() / 100.0);
}
int largeStep()
{
    return qRound(CCTUtils::getMaxTint() / 10.0);
}
int clampTint(int tint)
{
    return qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
}
} // namespace

class TintPickerWidget::Private
{
public:
    int cct = 4000;
};

TintPickerWidget::TintPickerWidget(QWidget *parent)
    : BandPickerWidget(0, parent)
    , d(new Private)
{
    setAccessibleName(tr("Tint band"));
    setToolTip(tr("Click or drag to choose the tint: magenta to the left, green to the right"));
    connect(this, &BandPickerWidget::valuePicked, this, &TintPickerWidget::tintChanged);
}

TintPickerWidget::~TintPickerWidget() = default;

int TintPickerWidget::cct() const
{
    return d->cct;
}

void TintPickerWidget::setCCT(int cct)
{
    cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    if (cct == d->cct)
        return;
    d->cct = cct;
    invalidateBand();
}

QRect TintPickerWidget::bandRect() const
{
    const int margin = fontMetrics().height() / 2;
    return QRect(margin, margin / 2, width() - margin * 2, qMax(margin, height() - margin));
}

int TintPickerWidget::positionForTint(int tint) const
{
    const QRect r = bandRect();
    const double t = (clampTint(tint) - CCTUtils::getMinTint()) / double(CCTUtils::getMaxTint() - CCTUtils::getMinTint());
    return r.left() + qRound(t * (r.width() - 1));
}

int TintPickerWidget::tintAtPosition(int x) const
{
    const QRect r = bandRect();
    const double t = qBound(0.0, double(x - r.left()) / qMax(1, r.width() - 1), 1.0);
    return clampTint(qRound(CCTUtils::getMinTint() + t * (CCTUtils::getMaxTint() - CCTUtils::getMinTint())));
}

QSize TintPickerWidget::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("11000 K")) * 7, fontMetrics().height() * 3 / 2);
}

QSize TintPickerWidget::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("11000 K")) * 3, fontMetrics().height() * 3 / 2);
}

void TintPickerWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = bandRect();
    paintBand(p);
    // The locus itself (tint 0) as a faint mark in the middle.
    const int mid = positionForTint(0);
    p.setPen(QColor(0, 0, 0, 80));
    p.drawLine(mid, r.top() + 1, mid, r.bottom() - 1);

    const int x = positionForTint(tint());
    const int s = qMax(3, fontMetrics().height() / 3);
    paintBandMarker(p, r, x, s, false);
    paintBandFocus(p, this, r);
}

int TintPickerWidget::valueAt(int x) const
{
    return tintAtPosition(x);
}

int TintPickerWidget::validValue(int value) const
{
    return clampTint(value);
}

BandPickerWidget::Steps TintPickerWidget::steps() const
{
    return {smallStep(), largeStep(), largeStep(), CCTUtils::getMinTint(), CCTUtils::getMaxTint()};
}

OvrColor TintPickerWidget::bandColorAt(int x) const
{
    double cx = 0;
    double cy = 0;
    CCTUtils::getxyFromCCTAndTint(d->cct, tintAtPosition(x), cx, cy);
    return OvrColor(cx, cy);
}

void TintPickerWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_0)
        pick(0);
    else
        BandPickerWidget::keyPressEvent(event);
}

} // namespace OvrColorPickerLib
