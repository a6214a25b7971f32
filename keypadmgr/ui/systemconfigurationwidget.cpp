// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemconfigurationwidget.h"

SystemConfigurationWidget::SystemConfigurationWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SysConfig"));
}
