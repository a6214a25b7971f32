// SPDX-License-Identifier: GPL-3.0-or-later
#include "profileselector.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace OvrColorPickerLib {

ProfileSelector::ProfileSelector(QWidget *parent)
    : QWidget(parent)
    , m_combo(new QComboBox(this))
{
    qRegisterMetaType<ColorUtils::PrismalProfileID>();
    auto *label = new QLabel(tr("Fixture profile:"), this);
    label->setBuddy(m_combo);
    m_combo->setObjectName(QStringLiteral("profileCombo"));
    m_combo->setAccessibleName(tr("Fixture profile"));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const auto names = ColorUtils::prismalProfileIDNameMap();
    for (ColorUtils::PrismalProfileID id : ColorUtils::prismalProfileIDList(true))
        m_combo->addItem(names.value(id), int(id));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_combo, 1);

    connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (index >= 0)
            emit selectedProfile(ColorUtils::PrismalProfileID(m_combo->itemData(index).toInt()));
    });
}

int ProfileSelector::profile() const
{
    return m_combo->currentData().toInt();
}

void ProfileSelector::setProfile(int profile)
{
    const int index = m_combo->findData(profile);
    if (index < 0)
        return;
    const QSignalBlocker blocker(m_combo);
    m_combo->setCurrentIndex(index);
}

} // namespace OvrColorPickerLib
