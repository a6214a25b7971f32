// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspscenesettingswidget.h"

#include <QLabel>
#include <QVBoxLayout>

MSPSceneSettingsWidget::MSPSceneSettingsWidget(QWidget *parent)
    : QWidget(parent)
    , m_sceneLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("MSPSceneSettings"));
    m_sceneLabel->setObjectName(QStringLiteral("sceneLabel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sceneLabel);
    layout->addStretch();
}

void MSPSceneSettingsWidget::activeSceneChanged(int index)
{
    m_shownScene = index;
    m_sceneLabel->setText(tr("Scene: %1").arg(index + 1));
}
