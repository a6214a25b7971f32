// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspkelvowhiteeffectwidget.h"

#include "mspkelvowhiteeffect.h"

MSPKelvoWhiteEffectWidget::MSPKelvoWhiteEffectWidget(QWidget *parent)
    : MSPWhiteEffectWidget(parent, true)
{
}

MSPKelvoWhiteEffectWidget::~MSPKelvoWhiteEffectWidget() = default;

const QMetaObject &MSPKelvoWhiteEffectWidget::effectClass() const
{
    return MSPKelvoWhiteEffect::staticMetaObject;
}
