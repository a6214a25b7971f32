// SPDX-License-Identifier: GPL-3.0-or-later
#include "levelsliderwidget.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace OvrColorPickerLib {

LevelSliderWidget::LevelSliderWidget(const QString &labelText, QAbstractSpinBox *spinBox, QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(labelText, this))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_spinBox(spinBox)
{
    m_spinBox->setParent(this);
    m_spinBox->setKeyboardTracking(false);
    m_label->setBuddy(m_spinBox);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_spinBox);

    connect(m_slider, &QSlider::valueChanged, this, &LevelSliderWidget::userChanged);
}

LevelSliderWidget::~LevelSliderWidget() = default;

void LevelSliderWidget::setLevel(int level)
{
    m_level = boundedLevel(level);
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setValue(m_level);
    showInSpinBox(m_level);
}

void LevelSliderWidget::userChanged(int level)
{
    level = boundedLevel(level);
    const bool changed = level != m_level;
    // Shown again even when unchanged: the spin box may hold a value between
    // two levels.
    setLevel(level);
    if (changed)
        emit levelChanged(m_level);
}

} // namespace OvrColorPickerLib
