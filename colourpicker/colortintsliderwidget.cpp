// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortintsliderwidget.h"

#include "cctutils.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace OvrColorPickerLib {

namespace {
double toPercent(int tint)
{
    return 100.0 * tint / CCTUtils::getMaxTint();
}
int fromPercent(double percent)
{
    return qRound(percent / 100.0 * CCTUtils::getMaxTint());
}
} // namespace

ColorTintSliderWidget::ColorTintSliderWidget(QWidget *parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_spinBox(new QDoubleSpinBox(this))
{
    auto *label = new QLabel(tr("Tint"), this);
    label->setBuddy(m_spinBox);
    m_slider->setObjectName(QStringLiteral("tintSlider"));
    m_spinBox->setObjectName(QStringLiteral("tintSpinBox"));
    m_slider->setRange(CCTUtils::getMinTint(), CCTUtils::getMaxTint());
    m_slider->setSingleStep(fromPercent(1.0));
    m_slider->setPageStep(fromPercent(10.0));
    m_spinBox->setRange(-100.0, 100.0);
    m_spinBox->setDecimals(1);
    m_spinBox->setSingleStep(1.0);
    m_spinBox->setSuffix(QStringLiteral("%"));
    m_spinBox->setKeyboardTracking(false);
    m_slider->setAccessibleName(tr("Tint"));
    m_spinBox->setAccessibleName(tr("Tint in percent, positive towards green"));
    setToolTip(tr("Negative tints lean to magenta, positive tints to green"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_spinBox);

    connect(m_slider, &QSlider::valueChanged, this, &ColorTintSliderWidget::userChanged);
    connect(m_spinBox, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this](double percent) { userChanged(fromPercent(percent)); });
}

int ColorTintSliderWidget::tint() const
{
    return m_tint;
}

void ColorTintSliderWidget::setTint(int tint)
{
    m_tint = qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setValue(m_tint);
    m_spinBox->setValue(toPercent(m_tint));
}

void ColorTintSliderWidget::userChanged(int tint)
{
    tint = qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
    const bool changed = tint != m_tint;
    setTint(tint);
    if (changed)
        emit tintChanged(m_tint);
}

} // namespace OvrColorPickerLib
