// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctpickerwidget.h"

#include "bandmarker.h"
#include "colorappearance.h"
#include "cctutils.h"
#include "ovrcolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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

class CCTPickerWidget::Private
{
public:
    int cct = 4000;
    QImage band; // cached in device pixels, rebuilt on resize only

    QRect bandRect(const QWidget *w) const
    {
        const int margin = w->fontMetrics().height() / 2;
        const int bandHeight = qMax(w->fontMetrics().height(), w->height() - w->fontMetrics().height() - margin * 2);
        return QRect(margin, margin / 2, w->width() - margin * 2, bandHeight);
    }
};

CCTPickerWidget::CCTPickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    setFocusPolicy(Qt::StrongFocus);
    // The band shows the whites as the configured fixture makes them.
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, [this] {
        d->band = QImage();
        update();
    });
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(tr("Colour temperature band"));
    setToolTip(tr("Click or drag to choose the colour temperature"));
}

CCTPickerWidget::~CCTPickerWidget() = default;

int CCTPickerWidget::cct() const
{
    return d->cct;
}

void CCTPickerWidget::setCCT(int cct)
{
    cct = snapCCT(cct);
    if (cct == d->cct)
        return;
    d->cct = cct;
    update();
}

int CCTPickerWidget::positionForCCT(int cct) const
{
    const QRect r = d->bandRect(this);
    const double lo = mired(CCTUtils::getMinCCT());
    const double hi = mired(CCTUtils::getMaxCCT());
    const double t = (lo - mired(snapCCT(cct))) / (lo - hi);
    return r.left() + qRound(t * (r.width() - 1));
}

int CCTPickerWidget::cctAtPosition(int x) const
{
    const QRect r = d->bandRect(this);
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

void CCTPickerWidget::resizeEvent(QResizeEvent *event)
{
    d->band = QImage();
    QWidget::resizeEvent(event);
}

void CCTPickerWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = d->bandRect(this);
    const qreal dpr = devicePixelRatioF();
    const int deviceWidth = qMax(1, qRound(r.width() * dpr));
    if (d->band.width() != deviceWidth) {
        d->band = QImage(deviceWidth, 1, QImage::Format_RGB32);
        const ColorUtils::PrismalProfileID fixtureClass = ColorAppearance::instance()->fixtureClass();
        for (int i = 0; i < deviceWidth; ++i) {
            double x = 0;
            double y = 0;
            CCTUtils::getxyFromCCT(cctAtPosition(r.left() + qRound(i / dpr)), x, y);
            d->band.setPixel(i, 0, ColorUtils::displayColor(OvrColor(x, y), fixtureClass).rgb());
        }
    }
    p.drawImage(r, d->band);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));

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
    const int x = positionForCCT(d->cct);
    const int s = qMax(3, fm.height() / 3);
    paintBandMarker(p, r, x, s, true);
    paintBandFocus(p, this, r);
}

void CCTPickerWidget::pick(int cct)
{
    cct = snapCCT(cct);
    if (cct == d->cct)
        return;
    d->cct = cct;
    update();
    emit cctChanged(cct);
}

void CCTPickerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pick(cctAtPosition(event->pos().x()));
}

void CCTPickerWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(cctAtPosition(event->pos().x()));
}

void CCTPickerWidget::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return event->ignore();
    pick(d->cct + notches * kWheelStep);
}

void CCTPickerWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        pick(d->cct - CCTUtils::getCCTStepSize());
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        pick(d->cct + CCTUtils::getCCTStepSize());
        break;
    case Qt::Key_PageDown:
        pick(d->cct - kPageStep);
        break;
    case Qt::Key_PageUp:
        pick(d->cct + kPageStep);
        break;
    case Qt::Key_Home:
        pick(CCTUtils::getMinCCT());
        break;
    case Qt::Key_End:
        pick(CCTUtils::getMaxCCT());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace OvrColorPickerLib
