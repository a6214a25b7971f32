// SPDX-License-Identifier: GPL-3.0-or-later
#include "dmxsliderswidget.h"

#include "dmxsliderwidget.h"

#include <QLabel>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

DmxSlidersWidget::DmxSlidersWidget(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addStretch(1); // the sliders stay together at the top
}

void DmxSlidersWidget::setChannels(const QStringList &channelNames)
{
    qDeleteAll(m_sliders);
    m_sliders.clear();
    int labelWidth = 0;
    for (int i = 0; i < channelNames.size(); ++i) {
        auto *slider = new DmxSliderWidget(channelNames.at(i), this);
        slider->setObjectName(QStringLiteral("dmxSlider%1").arg(i + 1));
        labelWidth = qMax(labelWidth, slider->label()->sizeHint().width());
        connect(slider, &DmxSliderWidget::valueChanged, this, [this] { emit dmxChanged(levels()); });
        m_layout->insertWidget(m_layout->count() - 1, slider);
        m_sliders.append(slider);
    }
    // Line the sliders up whatever the channel names' lengths.
    for (DmxSliderWidget *slider : qAsConst(m_sliders))
        slider->label()->setMinimumWidth(labelWidth);
}

QStringList DmxSlidersWidget::channelNames() const
{
    QStringList names;
    for (const DmxSliderWidget *slider : m_sliders)
        names.append(slider->channelName());
    return names;
}

QVector<int> DmxSlidersWidget::levels() const
{
    QVector<int> result;
    result.reserve(m_sliders.size());
    for (const DmxSliderWidget *slider : m_sliders)
        result.append(slider->value());
    return result;
}

void DmxSlidersWidget::setLevels(const QVector<int> &levels)
{
    for (int i = 0; i < m_sliders.size(); ++i)
        m_sliders.at(i)->setValue(levels.value(i, 0));
}

} // namespace OvrColorPickerLib
