// SPDX-License-Identifier: GPL-3.0-or-later
#include "hsbspectrumwidget.h"

#include <QPainter>
#include <QVector>

#include <cmath>

namespace OvrColorPickerLib {

HsbSpectrumWidget::HsbSpectrumWidget(QWidget *parent)
    : ColorSelectorWidget(Qt::Horizontal | Qt::Vertical, parent)
{
    setAccessibleName(tr("Hue and saturation spectrum"));
    setToolTip(tr("Hue and saturation"));
    setSteps(360, 100);
    setPosition(QPointF(0.0, 1.0));
    connect(this, &ColorSelectorWidget::positionPicked, this,
            [this](const QPointF &p) { emit colorChanged(colorAt(p)); });
}

HsbSpectrumWidget::~HsbSpectrumWidget() = default;

void HsbSpectrumWidget::setHsv(double hue, double saturation, double brightness, double alpha)
{
    m_alpha = alpha;
    setPosition(QPointF(hue, saturation));
    if (brightness != m_brightness) {
        m_brightness = brightness;
        invalidateField();
    }
}

OvrColor HsbSpectrumWidget::colorAt(const QPointF &position) const
{
    double hue = qBound(0.0, position.x(), 1.0);
    if (hue >= 1.0)
        hue = 0.0;
    return OvrColor::fromHsvF(hue, qBound(0.0, position.y(), 1.0), m_brightness, m_alpha);
}

QSize HsbSpectrumWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(16 * h, 10 * h);
}

void HsbSpectrumWidget::setZoomArea(const QRectF &area)
{
    if (area == m_zoomArea)
        return;
    m_zoomArea = area;
    update();
}

void HsbSpectrumWidget::hueToRgb(double hue, double *r, double *g, double *b)
{
    // The same sextant formula OvrColor converts HSV with.
    double h = hue * 6.0;
    if (h >= 6.0 || h < 0.0)
        h = 0.0;
    const int i = static_cast<int>(h);
    const double f = h - i;
    const double q = 1.0 - f;
    switch (i) {
    case 0: *r = 1; *g = f; *b = 0; break;
    case 1: *r = q; *g = 1; *b = 0; break;
    case 2: *r = 0; *g = 1; *b = f; break;
    case 3: *r = 0; *g = q; *b = 1; break;
    case 4: *r = f; *g = 0; *b = 1; break;
    default: *r = 1; *g = 0; *b = q; break;
    }
}

int HsbSpectrumWidget::level8(double channel)
{
    // OvrColor keeps the top byte of the 32-bit component.
    const auto stored = static_cast<quint64>(channel * 4294967295.0 + 0.5);
    return static_cast<int>((stored & 0xffffffffu) >> 24);
}

const uchar *HsbSpectrumWidget::levelTable()
{
    static const QVector<uchar> levels = [] {
        QVector<uchar> t(LevelTableSteps + 1);
        for (int k = 0; k <= LevelTableSteps; ++k)
            t[k] = static_cast<uchar>(level8(double(k) / LevelTableSteps));
        return t;
    }();
    return levels.constData();
}

void HsbSpectrumWidget::renderHueSaturation(QImage &image, const QRectF &area, double brightness)
{
    const int w = image.width();
    const int h = image.height();
    // Per column the fully saturated colour of its hue; per pixel each
    // channel is v * (1 - s * (1 - c)), linear in the row's saturation.
    QVector<double> cr(w), cg(w), cb(w);
    for (int i = 0; i < w; ++i) {
        double hue = area.left() + area.width() * (i + 0.5) / w;
        hue -= std::floor(hue);
        hueToRgb(hue, &cr[i], &cg[i], &cb[i]);
    }
    // Lookup of 8-bit levels over a fine grid of channel values keeps the
    // inner loop to multiplications and table reads.
    constexpr int kTable = LevelTableSteps;
    const uchar *lut = levelTable();
    for (int j = 0; j < h; ++j) {
        const double s = qBound(0.0, area.top() + area.height() * (1.0 - (j + 0.5) / h), 1.0);
        const double scale = brightness * kTable;
        const double base = scale * (1.0 - s);
        const double slope = scale * s;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(j));
        for (int i = 0; i < w; ++i) {
            const int r = lut[static_cast<int>(base + slope * cr[i] + 0.5)];
            const int g = lut[static_cast<int>(base + slope * cg[i] + 0.5)];
            const int b = lut[static_cast<int>(base + slope * cb[i] + 0.5)];
            line[i] = 0xff000000u | (uint(r) << 16) | (uint(g) << 8) | uint(b);
        }
    }
}

void HsbSpectrumWidget::renderField(QImage &image) const
{
    renderHueSaturation(image, QRectF(0, 0, 1, 1), m_brightness);
}

void HsbSpectrumWidget::drawMarker(QPainter &painter, const QPointF &point) const
{
    if (m_zoomArea.isValid()) {
        const QPointF a = pointFromPosition(QPointF(m_zoomArea.left(), m_zoomArea.bottom()));
        const QPointF b = pointFromPosition(QPointF(m_zoomArea.right(), m_zoomArea.top()));
        const QRectF outline = QRectF(a, b).normalized();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0, 140), 3.0));
        painter.drawRect(outline);
        painter.setPen(QPen(QColor(255, 255, 255, 220), 1.0, Qt::DashLine));
        painter.drawRect(outline);
    }
    ColorSelectorWidget::drawMarker(painter, point);
}

} // namespace OvrColorPickerLib
