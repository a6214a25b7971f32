// SPDX-License-Identifier: GPL-3.0-or-later
#include "intensitysliderwidget.h"

#include "gradientcolorselectorwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace OvrColorPickerLib {

IntensitySliderWidget::IntensitySliderWidget(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(tr("Intensity:"), this))
    , m_slider(new GradientColorSelectorWidget(this))
    , m_spinBox(new QSpinBox(this))
{
    m_label->setBuddy(m_spinBox);
    m_slider->setAccessibleName(tr("Intensity"));
    m_slider->setToolTip(tr("Intensity"));
    m_slider->setSteps(100, 1);
    m_spinBox->setAccessibleName(tr("Intensity"));
    m_spinBox->setRange(0, 100);
    m_spinBox->setSuffix(QStringLiteral("%"));
    m_spinBox->setKeyboardTracking(false);
    m_spinBox->setAlignment(Qt::AlignRight);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_spinBox);

    connect(m_slider, &GradientColorSelectorWidget::valueChanged, this,
            [this](double v) { userChanged(qRound(v * 100.0)); });
    connect(m_spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &IntensitySliderWidget::userChanged);
    setColor(OvrColor(Qt::white));
    setIntensity(100);
}

IntensitySliderWidget::~IntensitySliderWidget() = default;

int IntensitySliderWidget::intensity() const
{
    return m_value;
}

void IntensitySliderWidget::setIntensity(int intensity)
{
    m_value = qBound(0, intensity, 100);
    m_slider->setValue(m_value / 100.0);
    const QSignalBlocker blocker(m_spinBox);
    m_spinBox->setValue(m_value);
}

void IntensitySliderWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    // Black to the colour at full intensity: the hue and saturation of the
    // colour with its brightness swept.
    double h = 0, s = 0, v = 0;
    color.getHsvF(&h, &s, &v);
    m_color = color;
    m_slider->setGradient([h, s](double t) { return OvrColor::fromHsvF(h, s, t); }, {h, s});
}

void IntensitySliderWidget::userChanged(int value)
{
    if (value == m_value)
        return;
    setIntensity(value);
    emit intensityChanged(m_value);
}

} // namespace OvrColorPickerLib
