// SPDX-License-Identifier: GPL-3.0-or-later
#include "opacitysliderwidget.h"

#include "gradientcolorselectorwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace OvrColorPickerLib {

OpacitySliderWidget::OpacitySliderWidget(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(tr("Opacity:"), this))
    , m_slider(new GradientColorSelectorWidget(this))
    , m_spinBox(new QSpinBox(this))
{
    m_label->setBuddy(m_spinBox);
    m_slider->setAccessibleName(tr("Opacity"));
    m_slider->setToolTip(tr("Opacity"));
    m_slider->setSteps(100, 1);
    m_spinBox->setAccessibleName(tr("Opacity"));
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
    connect(m_spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &OpacitySliderWidget::userChanged);
    setColor(OvrColor(Qt::white));
    setOpacity(100);
}

OpacitySliderWidget::~OpacitySliderWidget() = default;

int OpacitySliderWidget::opacity() const
{
    return m_value;
}

void OpacitySliderWidget::setOpacity(int opacity)
{
    m_value = qBound(0, opacity, 100);
    m_slider->setValue(m_value / 100.0);
    const QSignalBlocker blocker(m_spinBox);
    m_spinBox->setValue(m_value);
}

void OpacitySliderWidget::setColor(const OvrColor &color)
{
    if (!color.isValid())
        return;
    // The gradient depends only on the opaque colour's RGB.
    const QColor opaque = color.getQColor();
    m_color = color;
    m_slider->setGradient(
        [opaque](double t) {
            return OvrColor::fromRgb8(opaque.red(), opaque.green(), opaque.blue(), qRound(t * 255.0));
        },
        {double(opaque.red()), double(opaque.green()), double(opaque.blue())});
}

void OpacitySliderWidget::userChanged(int value)
{
    if (value == m_value)
        return;
    setOpacity(value);
    emit opacityChanged(m_value);
}

} // namespace OvrColorPickerLib
