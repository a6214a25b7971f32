// SPDX-License-Identifier: GPL-3.0-or-later
#include "dmxsliderwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace OvrColorPickerLib {

DmxSliderWidget::DmxSliderWidget(const QString &channelName, QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(channelName, this))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_spinBox(new QSpinBox(this))
{
    m_label->setBuddy(m_spinBox);
    m_slider->setRange(0, 255);
    m_slider->setPageStep(16);
    m_spinBox->setRange(0, 255);
    m_spinBox->setKeyboardTracking(false);
    m_slider->setAccessibleName(tr("%1 level").arg(channelName));
    m_spinBox->setAccessibleName(tr("%1 DMX value").arg(channelName));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_spinBox);

    connect(m_slider, &QSlider::valueChanged, this, &DmxSliderWidget::userChanged);
    connect(m_spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &DmxSliderWidget::userChanged);
}

int DmxSliderWidget::value() const
{
    return m_value;
}

QString DmxSliderWidget::channelName() const
{
    return m_label->text();
}

void DmxSliderWidget::setValue(int value)
{
    m_value = qBound(0, value, 255);
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setValue(m_value);
    m_spinBox->setValue(m_value);
}

void DmxSliderWidget::userChanged(int value)
{
    const bool changed = value != m_value;
    setValue(value);
    if (changed)
        emit valueChanged(m_value);
}

} // namespace OvrColorPickerLib
