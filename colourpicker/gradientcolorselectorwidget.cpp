// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradientcolorselectorwidget.h"

#include <QPainter>

namespace OvrColorPickerLib {

namespace {

constexpr QRgb kCheckLight = 0xffcccccc;
constexpr QRgb kCheckDark = 0xff999999;

QRgb over(QRgb top, QRgb bottom)
{
    const int a = qAlpha(top);
    const auto mixChannel = [a](int t, int b) { return (t * a + b * (255 - a) + 127) / 255; };
    return qRgb(mixChannel(qRed(top), qRed(bottom)), mixChannel(qGreen(top), qGreen(bottom)),
                mixChannel(qBlue(top), qBlue(bottom)));
}

} // namespace

void paintCheckerboard(QImage &image, int cell)
{
    cell = qMax(1, cell);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = ((x / cell + y / cell) % 2) ? kCheckDark : kCheckLight;
    }
}

GradientColorSelectorWidget::GradientColorSelectorWidget(QWidget *parent)
    : ColorSelectorWidget(Qt::Horizontal, parent)
{
    connect(this, &ColorSelectorWidget::positionPicked, this, [this](const QPointF &p) {
        emit valueChanged(p.x());
        emit colorChanged(colorAt(p));
    });
}

GradientColorSelectorWidget::~GradientColorSelectorWidget() = default;

void GradientColorSelectorWidget::setGradient(const ColorFunction &function, const QVector<double> &fixedAxes)
{
    const bool first = !m_function;
    m_function = function;
    if (first || fixedAxes != m_fixedAxes) {
        m_fixedAxes = fixedAxes;
        invalidateField();
    }
}

void GradientColorSelectorWidget::setValue(double value)
{
    setPosition(QPointF(value, 0.5));
}

OvrColor GradientColorSelectorWidget::colorAt(const QPointF &position) const
{
    return m_function ? m_function(qBound(0.0, position.x(), 1.0)) : OvrColor();
}

QSize GradientColorSelectorWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(10 * h, h + 2 * qMax(3, h / 3));
}

void GradientColorSelectorWidget::renderField(QImage &image) const
{
    const int w = image.width();
    const int h = image.height();
    // One colour per device column, composed over the checkerboard where the
    // colour is not opaque.
    QVector<QRgb> column(w);
    bool translucent = false;
    for (int i = 0; i < w; ++i) {
        const OvrColor c = colorAt(QPointF((i + 0.5) / w, 0.5));
        const QColor q = c.isValid() ? c.getQColor() : QColor(Qt::transparent);
        column[i] = q.rgba();
        translucent = translucent || q.alpha() < 255;
    }
    const int cell = qMax(2, h / 2);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (translucent) {
                const QRgb check = ((x / cell + y / cell) % 2) ? kCheckDark : kCheckLight;
                line[x] = over(column[x], check);
            } else {
                line[x] = column[x];
            }
        }
    }
}

} // namespace OvrColorPickerLib
