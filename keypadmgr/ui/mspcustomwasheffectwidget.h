// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcolorwasheffectwidget.h"

/** Editor of the Custom Wash effect: a wash through the scene's own colours. */
class MSPCustomWashEffectWidget : public MSPColorWashEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPCustomWashEffectWidget)
public:
    explicit MSPCustomWashEffectWidget(QWidget *parent = nullptr);
    ~MSPCustomWashEffectWidget() override;

public slots:
    QString speedLabel(int index) override;
    /** Shows and stores a width, within the effect's range. */
    void setWidth(int inWidth);

protected:
    const QMetaObject &effectClass() const override;
};
