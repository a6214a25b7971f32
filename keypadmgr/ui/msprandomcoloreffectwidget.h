// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffectwidget.h"

#include <memory>

class MSPRandomColorEffect;
namespace Ui { class MSPRandomColorWidget; }

/** Editor of the Random Color effect: speed and fade. */
class MSPRandomColorEffectWidget : public MSPEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPRandomColorEffectWidget)
public:
    explicit MSPRandomColorEffectWidget(QWidget *parent = nullptr);
    ~MSPRandomColorEffectWidget() override;

signals:
    void speedChanged(int speed);
    void fadeChanged(bool fade);

public slots:
    bool setEffect(MSPEffect *effect) override;
    QString speedLabel(int index) override;
    /** Shows and stores a speed, clamped to 1..32. */
    void setSpeed(int speed);
    void setFade(bool fade);
    void handleSpeedSliderChanged(int value);
    void handleFadeChanged(int state);

private:
    MSPRandomColorEffect *randomEffect() const;

    std::unique_ptr<Ui::MSPRandomColorWidget> ui;
};
