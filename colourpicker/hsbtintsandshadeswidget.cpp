// SPDX-License-Identifier: GPL-3.0-or-later
#include "hsbtintsandshadeswidget.h"

#include "hsbspectrumwidget.h"

namespace OvrColorPickerLib {

HsbTintsAndShadesWidget::HsbTintsAndShadesWidget(QWidget *parent)
    : ColorSelectorWidget(Qt::Horizontal | Qt::Vertical, parent)
{
    setAccessibleName(tr("Tints and shades"));
    setToolTip(tr("Saturation and brightness"));
    setSteps(100, 100);
    setPosition(QPointF(0.0, 1.0));
    connect(this, &ColorSelectorWidget::positionPicked, this,
            [this](const QPointF &p) { emit colorChanged(colorAt(p)); });
}

HsbTintsAndShadesWidget::~HsbTintsAndShadesWidget() = default;

void HsbTintsAndShadesWidget::setHsv(double hue, double saturation, double brightness, double alpha)
{
    m_alpha = alpha;
    setPosition(QPointF(saturation, brightness));
    if (hue != m_hue) {
        m_hue = hue;
        invalidateField();
    }
}

OvrColor HsbTintsAndShadesWidget::colorAt(const QPointF &position) const
{
    return OvrColor::fromHsvF(m_hue >= 1.0 ? 0.0 : m_hue, qBound(0.0, position.x(), 1.0),
                              qBound(0.0, position.y(), 1.0), m_alpha);
}

QSize HsbTintsAndShadesWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(8 * h, 8 * h);
}

void HsbTintsAndShadesWidget::renderField(QImage &image) const
{
    const int w = image.width();
    const int h = image.height();
    double cr, cg, cb;
    HsbSpectrumWidget::hueToRgb(m_hue, &cr, &cg, &cb);
    // Each channel is v * (1 - s * (1 - c)): per row a line in s, read
    // through the table of 8-bit levels.
    const uchar *lut = HsbSpectrumWidget::levelTable();
    constexpr int steps = HsbSpectrumWidget::LevelTableSteps;
    for (int j = 0; j < h; ++j) {
        const double v = (1.0 - (j + 0.5) / h) * steps;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(j));
        for (int i = 0; i < w; ++i) {
            const double s = (i + 0.5) / w;
            const int r = lut[static_cast<int>(v * (1.0 - s * (1.0 - cr)) + 0.5)];
            const int g = lut[static_cast<int>(v * (1.0 - s * (1.0 - cg)) + 0.5)];
            const int b = lut[static_cast<int>(v * (1.0 - s * (1.0 - cb)) + 0.5)];
            line[i] = 0xff000000u | (uint(r) << 16) | (uint(g) << 8) | uint(b);
        }
    }
}

} // namespace OvrColorPickerLib
