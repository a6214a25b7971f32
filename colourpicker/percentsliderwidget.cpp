// SPDX-License-Identifier: GPL-3.0-or-later
#include "percentsliderwidget.h"

#include "gradientcolorselectorwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace OvrColorPickerLib {

PercentSliderWidget::PercentSliderWidget(const QString &labelText, const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(labelText, this))
    , m_slider(new GradientColorSelectorWidget(this))
    , m_spinBox(new QSpinBox(this))
{
    m_label->setBuddy(m_spinBox);
    m_slider->setAccessibleName(name);
    m_slider->setToolTip(name);
    m_slider->setSteps(100, 1);
    m_spinBox->setAccessibleName(name);
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
    connect(m_spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &PercentSliderWidget::userChanged);
    setPercent(100);
}

PercentSliderWidget::~PercentSliderWidget() = default;

void PercentSliderWidget::setPercent(int percent)
{
    m_value = qBound(0, percent, 100);
    m_slider->setValue(m_value / 100.0);
    const QSignalBlocker blocker(m_spinBox);
    m_spinBox->setValue(m_value);
}

void PercentSliderWidget::userChanged(int value)
{
    if (value == m_value)
        return;
    setPercent(value);
    emit percentChanged(m_value);
}

} // namespace OvrColorPickerLib
