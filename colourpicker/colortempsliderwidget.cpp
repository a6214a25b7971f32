// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortempsliderwidget.h"

#include "cctutils.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace OvrColorPickerLib {

namespace {
int snap(int cct)
{
    const int step = CCTUtils::getCCTStepSize();
    return qBound(CCTUtils::getMinCCT(), (cct + step / 2) / step * step, CCTUtils::getMaxCCT());
}
} // namespace

ColorTempSliderWidget::ColorTempSliderWidget(QWidget *parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_spinBox(new QSpinBox(this))
{
    auto *label = new QLabel(tr("CCT"), this);
    label->setBuddy(m_spinBox);
    m_slider->setObjectName(QStringLiteral("cctSlider"));
    m_spinBox->setObjectName(QStringLiteral("cctSpinBox"));
    m_slider->setRange(CCTUtils::getMinCCT(), CCTUtils::getMaxCCT());
    m_slider->setSingleStep(CCTUtils::getCCTStepSize());
    m_slider->setPageStep(100);
    m_spinBox->setRange(CCTUtils::getMinCCT(), CCTUtils::getMaxCCT());
    m_spinBox->setSingleStep(CCTUtils::getCCTStepSize());
    m_spinBox->setSuffix(tr(" K"));
    m_spinBox->setKeyboardTracking(false);
    m_slider->setAccessibleName(tr("CCT"));
    m_spinBox->setAccessibleName(tr("CCT in kelvin"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_spinBox);

    setCCT(4000);
    connect(m_slider, &QSlider::valueChanged, this, &ColorTempSliderWidget::userChanged);
    connect(m_spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &ColorTempSliderWidget::userChanged);
}

int ColorTempSliderWidget::cct() const
{
    return m_cct;
}

void ColorTempSliderWidget::setCCT(int cct)
{
    m_cct = snap(cct);
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setValue(m_cct);
    m_spinBox->setValue(m_cct);
}

void ColorTempSliderWidget::userChanged(int cct)
{
    cct = snap(cct);
    const bool changed = cct != m_cct;
    setCCT(cct);
    if (changed)
        emit cctChanged(m_cct);
}

} // namespace OvrColorPickerLib
