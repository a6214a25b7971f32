// SPDX-License-Identifier: GPL-3.0-or-later
#include "tintpickerwidget.h"

#include "bandmarker.h"
#include "colorappearance.h"
#include "cctutils.h"
#include "ovrcolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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
    int tint = 0;
    int cct = 4000;
    QImage band; // device pixels; rebuilt on resize and when the CCT changes

    QRect bandRect(const QWidget *w) const
    {
        const int margin = w->fontMetrics().height() / 2;
        return QRect(margin, margin / 2, w->width() - margin * 2, qMax(margin, w->height() - margin));
    }
};

TintPickerWidget::TintPickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    setFocusPolicy(Qt::StrongFocus);
    // The band shows the whites as the configured fixture makes them.
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, [this] {
        d->band = QImage();
        update();
    });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(tr("Tint band"));
    setToolTip(tr("Click or drag to choose the tint: magenta to the left, green to the right"));
}

TintPickerWidget::~TintPickerWidget() = default;

int TintPickerWidget::tint() const
{
    return d->tint;
}

int TintPickerWidget::cct() const
{
    return d->cct;
}

void TintPickerWidget::setTint(int tint)
{
    tint = clampTint(tint);
    if (tint == d->tint)
        return;
    d->tint = tint;
    update();
}

void TintPickerWidget::setCCT(int cct)
{
    cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    if (cct == d->cct)
        return;
    d->cct = cct;
    d->band = QImage();
    update();
}

int TintPickerWidget::positionForTint(int tint) const
{
    const QRect r = d->bandRect(this);
    const double t = (clampTint(tint) - CCTUtils::getMinTint()) / double(CCTUtils::getMaxTint() - CCTUtils::getMinTint());
    return r.left() + qRound(t * (r.width() - 1));
}

int TintPickerWidget::tintAtPosition(int x) const
{
    const QRect r = d->bandRect(this);
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

void TintPickerWidget::resizeEvent(QResizeEvent *event)
{
    d->band = QImage();
    QWidget::resizeEvent(event);
}

void TintPickerWidget::paintEvent(QPaintEvent *)
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
            CCTUtils::getxyFromCCTAndTint(d->cct, tintAtPosition(r.left() + qRound(i / dpr)), x, y);
            d->band.setPixel(i, 0, ColorUtils::displayColor(OvrColor(x, y), fixtureClass).rgb());
        }
    }
    p.drawImage(r, d->band);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // The locus itself (tint 0) as a faint mark in the middle.
    const int mid = positionForTint(0);
    p.setPen(QColor(0, 0, 0, 80));
    p.drawLine(mid, r.top() + 1, mid, r.bottom() - 1);

    const int x = positionForTint(d->tint);
    const int s = qMax(3, fontMetrics().height() / 3);
    paintBandMarker(p, r, x, s, false);
    paintBandFocus(p, this, r);
}

void TintPickerWidget::pick(int tint)
{
    tint = clampTint(tint);
    if (tint == d->tint)
        return;
    d->tint = tint;
    update();
    emit tintChanged(tint);
}

void TintPickerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pick(tintAtPosition(event->pos().x()));
}

void TintPickerWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(tintAtPosition(event->pos().x()));
}

void TintPickerWidget::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return event->ignore();
    pick(d->tint + notches * largeStep());
}

void TintPickerWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        pick(d->tint - smallStep());
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        pick(d->tint + smallStep());
        break;
    case Qt::Key_PageDown:
        pick(d->tint - largeStep());
        break;
    case Qt::Key_PageUp:
        pick(d->tint + largeStep());
        break;
    case Qt::Key_Home:
        pick(CCTUtils::getMinTint());
        break;
    case Qt::Key_End:
        pick(CCTUtils::getMaxTint());
        break;
    case Qt::Key_0:
        pick(0);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace OvrColorPickerLib
