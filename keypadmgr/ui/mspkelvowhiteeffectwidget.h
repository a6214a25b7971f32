// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspwhiteeffectwidget.h"

/** Editor of the Kelvo White effect: as RGB White, with the Kelvo fixture's scale. */
class MSPKelvoWhiteEffectWidget : public MSPWhiteEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPKelvoWhiteEffectWidget)
public:
    explicit MSPKelvoWhiteEffectWidget(QWidget *parent = nullptr);
    ~MSPKelvoWhiteEffectWidget() override;

protected:
    const QMetaObject &effectClass() const override;
};
