// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorsliderswidget.h"

#include "gradientcolorselectorwidget.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <cmath>

namespace OvrColorPickerLib {

ColorSlidersWidget::ColorSlidersWidget(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QGridLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setHorizontalSpacing(fontMetrics().height() / 3);
    m_layout->setVerticalSpacing(0);
    m_layout->setColumnStretch(1, 1);
}

ColorSlidersWidget::~ColorSlidersWidget() = default;

GradientColorSelectorWidget *ColorSlidersWidget::slider(int channel) const
{
    return m_channels.value(channel).slider;
}

QDoubleSpinBox *ColorSlidersWidget::spinBox(int channel) const
{
    return m_channels.value(channel).spinBox;
}

void ColorSlidersWidget::addChannel(const QString &name, const QString &label, double maximum, int decimals,
                                    const QString &suffix)
{
    const int channel = m_channels.size();
    auto *text = new QLabel(label, this);
    auto *slider = new GradientColorSelectorWidget(this);
    auto *spin = new QDoubleSpinBox(this);
    text->setBuddy(spin);
    text->setToolTip(name);
    slider->setToolTip(name);
    slider->setAccessibleName(name);
    spin->setToolTip(name);
    spin->setAccessibleName(name);
    spin->setRange(0.0, maximum);
    spin->setDecimals(decimals);
    spin->setSuffix(suffix);
    spin->setSingleStep(1.0);
    spin->setKeyboardTracking(false);
    spin->setAlignment(Qt::AlignRight);
    // Arrow keys on the slider move by one step of the spin box.
    const int steps = qRound(maximum * std::pow(10.0, decimals));
    slider->setSteps(steps, 1);

    m_layout->addWidget(text, channel, 0);
    m_layout->addWidget(slider, channel, 1);
    m_layout->addWidget(spin, channel, 2);
    m_channels.append({maximum, slider, spin});
    m_values.append(0.0);
    // Tab goes through the boxes first (typing R, G, B in a row), then the sliders.
    QWidget *previous = nullptr;
    for (const Channel &ch : qAsConst(m_channels)) {
        if (previous)
            setTabOrder(previous, ch.spinBox);
        previous = ch.spinBox;
    }
    for (const Channel &ch : qAsConst(m_channels)) {
        setTabOrder(previous, ch.slider);
        previous = ch.slider;
    }

    connect(slider, &GradientColorSelectorWidget::valueChanged, this, [this, channel, maximum, decimals](double v) {
        const double scale = std::pow(10.0, decimals);
        userChanged(channel, std::round(v * maximum * scale) / scale);
    });
    connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this, channel](double v) { userChanged(channel, v); });
}

void ColorSlidersWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    m_color = color;
    m_values = channelValues(color, m_values);
    refresh();
}

void ColorSlidersWidget::userChanged(int channel, double value)
{
    if (m_values.value(channel) == value)
        return;
    m_values[channel] = value;
    const double alpha = m_color.isValid() ? m_color.alphaF() : 1.0;
    m_color = colorFromValues(m_values, alpha);
    refresh();
    emit colorChanged(m_color);
}

void ColorSlidersWidget::refresh()
{
    const double alpha = m_color.isValid() ? m_color.alphaF() : 1.0;
    for (int c = 0; c < m_channels.size(); ++c) {
        const Channel &ch = m_channels.at(c);
        QVector<double> fixed = m_values;
        fixed[c] = -1.0;
        fixed.append(alpha);
        const QVector<double> base = m_values;
        const double maximum = ch.maximum;
        ch.slider->setGradient(
            [this, base, c, maximum, alpha](double t) {
                QVector<double> v = base;
                v[c] = t * maximum;
                return colorFromValues(v, alpha);
            },
            fixed);
        ch.slider->setValue(m_values.at(c) / maximum);
        const QSignalBlocker blocker(ch.spinBox);
        ch.spinBox->setValue(m_values.at(c));
    }
}

} // namespace OvrColorPickerLib
