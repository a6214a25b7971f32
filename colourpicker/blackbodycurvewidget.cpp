// SPDX-License-Identifier: GPL-3.0-or-later
#include "blackbodycurvewidget.h"

#include "cctimageutils.h"
#include "cctutils.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <cmath>
#include <limits>

namespace OvrColorPickerLib {

namespace {
// The chromaticities the diagram must show: the white range with room
// around it for the isotherm labels. The window is widened in one direction
// to keep x and y on the same scale.
QRectF baseWindow()
{
    static const QRectF window = [] {
        double minX = 1;
        double maxX = 0;
        double minY = 1;
        double maxY = 0;
        for (int k = CCTUtils::getMinCCT(); k <= CCTUtils::getMaxCCT(); k += 50) {
            for (int t : {CCTUtils::getMinTint(), CCTUtils::getMaxTint()}) {
                double x = 0;
                double y = 0;
                CCTUtils::getxyFromCCTAndTint(k, t, x, y);
                minX = qMin(minX, x);
                maxX = qMax(maxX, x);
                minY = qMin(minY, y);
                maxY = qMax(maxY, y);
            }
        }
        const double margin = 0.12 * qMax(maxX - minX, maxY - minY);
        return QRectF(minX - margin, minY - margin, maxX - minX + 2 * margin, maxY - minY + 2 * margin);
    }();
    return window;
}
const int kIsotherms[] = {2000, 2500, 3000, 3500, 4000, 4500, 5000, 5700, 6500, 8000, 11000};
constexpr int kLocusStep = 50;
// Cells of the colour field, in device pixels: the field changes slowly, so
// it is computed on a coarse grid and smoothed when drawn.
constexpr int kFieldCell = 4;
} // namespace

class BlackBodyCurveWidget::Private
{
public:
    OvrColor color = OvrColor(0.38, 0.38);
    double x = 0.38;
    double y = 0.38;
    int cct = 4000;
    int tint = 0;
    bool inRange = true;
    bool hovering = false;
    QPointF hover;

    // Built on resize.
    QRect plot;
    QRectF window; // CCTImageUtils form: top-left x, y, width, negative height
    QPixmap field;
    QPainterPath whiteRange;
    QPolygonF locus;

    void layout(const QWidget *w)
    {
        const int margin = w->fontMetrics().height() / 2;
        plot = w->rect().adjusted(margin, margin, -margin, -margin);
        if (plot.width() < 2 || plot.height() < 2)
            plot = QRect(0, 0, 2, 2);
        // Equal scale on both axes, centred on the base window.
        const QRectF base = baseWindow(); // x, y of the lower-left corner, width, height
        const double scale = qMax(base.width() / plot.width(), base.height() / plot.height());
        const double ww = scale * plot.width();
        const double wh = scale * plot.height();
        const QPointF c = base.center();
        window = QRectF(c.x() - ww / 2, c.y() + wh / 2, ww, -wh);
        field = QPixmap();
        locus.clear();
        whiteRange = QPainterPath();
    }

    QPointF toPoint(double cx, double cy) const
    {
        const double px = plot.width() * (cx - window.x()) / CCTImageUtils::getxyRectWidth(window);
        const double py = plot.height() * (window.y() - cy) / CCTImageUtils::getxyRectHeight(window);
        return QPointF(plot.left() + px, plot.top() + py);
    }

    QPointF whitePoint(int k, int t) const
    {
        double cx = 0;
        double cy = 0;
        CCTUtils::getxyFromCCTAndTint(k, t, cx, cy);
        return toPoint(cx, cy);
    }

    void buildCurves()
    {
        const int lo = CCTUtils::getMinCCT();
        const int hi = CCTUtils::getMaxCCT();
        QVector<int> ccts;
        for (int k = lo; k < hi; k += kLocusStep)
            ccts.append(k);
        ccts.append(hi);
        for (int k : ccts)
            locus.append(whitePoint(k, 0));
        // The white range: the green edge from warm to cool, the coolest
        // isotherm, the magenta edge back, the warmest isotherm.
        QPolygonF outline;
        for (int k : ccts)
            outline.append(whitePoint(k, CCTUtils::getMaxTint()));
        for (int i = ccts.size() - 1; i >= 0; --i)
            outline.append(whitePoint(ccts.at(i), CCTUtils::getMinTint()));
        outline.append(outline.first());
        whiteRange.addPolygon(outline);
    }

    void buildField(qreal dpr)
    {
        const int gw = qMax(2, qRound(plot.width() * dpr / kFieldCell));
        const int gh = qMax(2, qRound(plot.height() * dpr / kFieldCell));
        QImage grid(gw, gh, QImage::Format_RGB32);
        const QRect gridRect(0, 0, gw, gh);
        for (int j = 0; j < gh; ++j) {
            QRgb *line = reinterpret_cast<QRgb *>(grid.scanLine(j));
            for (int i = 0; i < gw; ++i) {
                double cx = 0;
                double cy = 0;
                CCTImageUtils::getxyFromPoint(cx, cy, window, QPointF(i + 0.5, j + 0.5), gridRect);
                line[i] = OvrColor(cx, cy).getQColor(true).rgb();
            }
        }
        QImage scaled = grid.scaled(qRound(plot.width() * dpr), qRound(plot.height() * dpr), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(dpr);
        field = QPixmap::fromImage(scaled);
    }
};

BlackBodyCurveWidget::BlackBodyCurveWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Black-body curve"));
    setAccessibleDescription(tr("Chromaticity diagram around the black-body locus; click to choose a white"));
    setCCTAndTint(4000, 0);
}

BlackBodyCurveWidget::~BlackBodyCurveWidget() = default;

OvrColor BlackBodyCurveWidget::color() const
{
    return d->color;
}

int BlackBodyCurveWidget::cct() const
{
    return d->cct;
}

int BlackBodyCurveWidget::tint() const
{
    return d->tint;
}

bool BlackBodyCurveWidget::isInWhiteRange() const
{
    return d->inRange;
}

bool BlackBodyCurveWidget::whiteRangeCCTAndTint(double x, double y, int &cct, int &tint)
{
    int k = 0;
    int t = 0;
    if (!CCTUtils::getCCTAndTintFromxy(x, y, k, t))
        return false;
    cct = k;
    tint = t;
    return k >= CCTUtils::getMinCCT() && k <= CCTUtils::getMaxCCT() && t >= CCTUtils::getMinTint()
        && t <= CCTUtils::getMaxTint();
}

bool BlackBodyCurveWidget::startingCCTAndTint(double x, double y, int &cct, int &tint)
{
    int k = cct;
    int t = 0;
    const bool known = CCTUtils::getCCTAndTintFromxy(x, y, k, t);
    tint = 0;
    if (known && k >= CCTUtils::getMinCCT() && k <= CCTUtils::getMaxCCT()
        && qAbs(t) <= 2 * CCTUtils::getMaxTint()) {
        // In the range or just beside it: the geometry's own temperature.
        cct = k;
        const bool inRange = t >= CCTUtils::getMinTint() && t <= CCTUtils::getMaxTint();
        if (inRange)
            tint = t;
        return inRange;
    }
    // Far from the curve the geometry's temperature means little (pure red
    // reads as a cool white): take the curve's nearest point in the CIE 1960
    // uv plane, where temperatures are measured.
    const auto uv = [](double px, double py, double &u, double &v) {
        const double d = -2.0 * px + 12.0 * py + 3.0;
        u = d != 0.0 ? 4.0 * px / d : 0.0;
        v = d != 0.0 ? 6.0 * py / d : 0.0;
    };
    double u = 0, v = 0;
    uv(x, y, u, v);
    double best = std::numeric_limits<double>::max();
    for (int candidate = CCTUtils::getMinCCT(); candidate <= CCTUtils::getMaxCCT(); candidate += 10) {
        double lx = 0, ly = 0, lu = 0, lv = 0;
        if (!CCTUtils::getxyFromCCT(candidate, lx, ly))
            continue;
        uv(lx, ly, lu, lv);
        const double distance = (lu - u) * (lu - u) + (lv - v) * (lv - v);
        if (distance < best) {
            best = distance;
            cct = candidate;
        }
    }
    return false;
}

QPointF BlackBodyCurveWidget::pointFromxy(double x, double y) const
{
    if (d->window.isNull())
        d->layout(this);
    return d->toPoint(x, y);
}

void BlackBodyCurveWidget::xyFromPoint(const QPointF &point, double &x, double &y) const
{
    if (d->window.isNull())
        d->layout(this);
    CCTImageUtils::getxyFromPoint(x, y, d->window, point - QPointF(d->plot.topLeft()),
                                  QRect(0, 0, d->plot.width(), d->plot.height()));
}

void BlackBodyCurveWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    d->color = color;
    double Y = 0;
    color.getYxyF(&Y, &d->x, &d->y);
    int k = d->cct;
    int t = 0;
    d->inRange = startingCCTAndTint(d->x, d->y, k, t);
    d->cct = qBound(CCTUtils::getMinCCT(), k, CCTUtils::getMaxCCT());
    d->tint = qBound(CCTUtils::getMinTint(), t, CCTUtils::getMaxTint());
    update();
}

void BlackBodyCurveWidget::setCCTAndTint(int cct, int tint)
{
    d->cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    d->tint = qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
    CCTUtils::getxyFromCCTAndTint(d->cct, d->tint, d->x, d->y);
    d->color = OvrColor(d->x, d->y);
    d->inRange = true;
    update();
}

QSize BlackBodyCurveWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(h * 24, h * 17);
}

QSize BlackBodyCurveWidget::minimumSizeHint() const
{
    // Short enough for the white page to fit a 768-pixel screen; it takes
    // whatever height more the page has.
    const int h = fontMetrics().height();
    return QSize(h * 12, h * 6);
}

void BlackBodyCurveWidget::resizeEvent(QResizeEvent *event)
{
    d->layout(this);
    QWidget::resizeEvent(event);
}

void BlackBodyCurveWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        d->layout(this);
    QWidget::changeEvent(event);
}

void BlackBodyCurveWidget::paintEvent(QPaintEvent *)
{
    if (d->window.isNull())
        d->layout(this);
    const qreal dpr = devicePixelRatioF();
    if (d->field.isNull() || !qFuzzyCompare(d->field.devicePixelRatioF(), dpr))
        d->buildField(dpr);
    if (d->locus.isEmpty())
        d->buildCurves();

    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.drawPixmap(d->plot.topLeft(), d->field);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(d->plot);

    // Dim everything outside the white range.
    QPainterPath outside;
    outside.addRect(d->plot);
    outside = outside.subtracted(d->whiteRange);
    p.fillPath(outside, QColor(0, 0, 0, 110));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(d->whiteRange);

    // Isotherms across the white range, labelled at the green edge; a label
    // that would collide with the previous one is left out.
    const QFontMetrics fm = fontMetrics();
    QRectF lastLabel;
    for (int k : kIsotherms) {
        const QPointF a = d->whitePoint(k, CCTUtils::getMinTint());
        const QPointF b = d->whitePoint(k, CCTUtils::getMaxTint());
        p.setPen(QPen(QColor(40, 40, 40, 160), 1));
        p.drawLine(a, b);
        const QString text = tr("%1 K").arg(k);
        QRectF label(0, 0, fm.horizontalAdvance(text) + 2, fm.height());
        label.moveCenter(b + (b - a) / QLineF(a, b).length() * fm.height() * 0.8);
        if (lastLabel.isValid() && label.intersects(lastLabel))
            continue;
        p.setPen(QColor(20, 20, 20));
        p.drawText(label, Qt::AlignCenter, text);
        lastLabel = label;
    }

    // The locus.
    p.setPen(QPen(Qt::black, 1.5));
    p.drawPolyline(d->locus);

    // The current colour.
    const QPointF c = d->toPoint(d->x, d->y);
    const double r = fm.height() * 0.35;
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(c, r - 1.5, r - 1.5);
    p.setClipping(false);

    // Texts: pointer position at the bottom, the range warning at the top.
    p.setPen(palette().color(QPalette::WindowText));
    const int pad = fm.height() / 4;
    auto drawBoxedText = [&](const QRect &box, const QString &text, const QIcon &icon) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 210));
        p.drawRoundedRect(box, pad, pad);
        int textLeft = box.left() + pad;
        if (!icon.isNull()) {
            const int is = fm.height();
            icon.paint(&p, QRect(textLeft, box.top() + (box.height() - is) / 2, is, is));
            textLeft += is + pad;
        }
        p.setPen(Qt::black);
        p.drawText(QRect(textLeft, box.top(), box.right() - textLeft, box.height()), Qt::AlignVCenter, text);
    };
    if (d->hovering && d->plot.contains(d->hover.toPoint())) {
        double hx = 0;
        double hy = 0;
        xyFromPoint(d->hover, hx, hy);
        const QString text = tr("x: %1, y: %2").arg(hx, 0, 'f', 4).arg(hy, 0, 'f', 4);
        const QRect box(d->plot.left() + pad, d->plot.bottom() - fm.height() - pad * 3,
                        fm.horizontalAdvance(text) + pad * 2 + 1, fm.height() + pad * 2);
        drawBoxedText(box, text, QIcon());
    }
    if (!d->inRange) {
        const QString text = tr("Outside White Range");
        const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this);
        const QRect box(d->plot.left() + pad, d->plot.top() + pad,
                        fm.horizontalAdvance(text) + fm.height() + pad * 3 + 1, fm.height() + pad * 2);
        drawBoxedText(box, text, icon);
    }
}

void BlackBodyCurveWidget::pickAt(const QPointF &pos)
{
    double x = 0;
    double y = 0;
    xyFromPoint(pos, x, y);
    int k = d->cct;
    int t = d->tint;
    // A click outside the white range takes the nearest CCT and tint inside it.
    whiteRangeCCTAndTint(x, y, k, t);
    const int oldCCT = d->cct;
    const int oldTint = d->tint;
    const bool wasInRange = d->inRange;
    setCCTAndTint(k, t);
    if (wasInRange && oldCCT == d->cct && oldTint == d->tint)
        return;
    emit colorChanged(d->color);
}

void BlackBodyCurveWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pickAt(event->localPos());
}

void BlackBodyCurveWidget::mouseMoveEvent(QMouseEvent *event)
{
    d->hovering = true;
    d->hover = event->localPos();
    if (event->buttons() & Qt::LeftButton)
        pickAt(event->localPos());
    update();
}

void BlackBodyCurveWidget::leaveEvent(QEvent *event)
{
    d->hovering = false;
    update();
    QWidget::leaveEvent(event);
}

} // namespace OvrColorPickerLib
