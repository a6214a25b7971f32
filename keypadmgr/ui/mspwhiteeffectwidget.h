// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffectwidget.h"

#include <memory>

class MSPWhiteEffect;
namespace Ui { class MSPWhiteWidget; }

/** Editor of the RGB White effect: colour temperature and intensity. */
class MSPWhiteEffectWidget : public MSPEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPWhiteEffectWidget)
public:
    explicit MSPWhiteEffectWidget(QWidget *parent = nullptr);
    ~MSPWhiteEffectWidget() override;

signals:
    void temperatureChanged(int inTemperature);
    void brightnessChanged(int inBrightness);

public slots:
    bool setEffect(MSPEffect *effect) override;
    void handleTemperatureSliderChanged(int value);
    void handleBrightnessSliderChanged(int value);
    void handleBrightnessEditChanged();

protected:
    /** Constructor of the Kelvo variant: @p kelvo shows the Kelvo scale labels. */
    MSPWhiteEffectWidget(QWidget *parent, bool kelvo);
    /** The class of effect this editor takes. */
    virtual const QMetaObject &effectClass() const;

private:
    MSPWhiteEffect *whiteEffect() const;

    std::unique_ptr<Ui::MSPWhiteWidget> ui;
};
