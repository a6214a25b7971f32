// SPDX-License-Identifier: GPL-3.0-or-later
#include "msprandomcoloreffectwidget.h"
#include "ui_msprandomcoloreffectwidget.h"

#include "msprandomcoloreffect.h"

MSPRandomColorEffectWidget::MSPRandomColorEffectWidget(QWidget *parent)
    : MSPEffectWidget(parent)
    , ui(new Ui::MSPRandomColorWidget)
{
    ui->setupUi(this);
    ui->speedValueLabel->setMinimumWidth(speedLabelWidth(fontMetrics()));
    connect(ui->speedSlider, &QSlider::valueChanged, this, &MSPRandomColorEffectWidget::handleSpeedSliderChanged);
    connect(ui->speedSlider, &QSlider::sliderReleased, this, &MSPEffectWidget::changeFinished);
    connect(ui->fadeCheckBox, &QCheckBox::stateChanged, this, &MSPRandomColorEffectWidget::handleFadeChanged);
}

MSPRandomColorEffectWidget::~MSPRandomColorEffectWidget() = default;

MSPRandomColorEffect *MSPRandomColorEffectWidget::randomEffect() const
{
    return static_cast<MSPRandomColorEffect *>(effect());
}

bool MSPRandomColorEffectWidget::setEffect(MSPEffect *effect)
{
    if (!isEffectOfClass(effect, MSPRandomColorEffect::staticMetaObject))
        return false;
    attach(effect);
    const ShowingEffect showing(this);
    const int speed = randomEffect()->speed();
    ui->speedSlider->setValue(speed);
    ui->speedValueLabel->setText(speedLabel(speed));
    setFade(randomEffect()->fade());
    return true;
}

QString MSPRandomColorEffectWidget::speedLabel(int index)
{
    return customWashSpeedLabel(index);
}

void MSPRandomColorEffectWidget::setSpeed(int speed)
{
    const int clamped = qBound(ui->speedSlider->minimum(), speed, ui->speedSlider->maximum());
    ui->speedSlider->setValue(clamped);
    ui->speedValueLabel->setText(speedLabel(clamped));
    if (randomEffect() && randomEffect()->speed() != clamped) {
        randomEffect()->setSpeed(clamped);
        emit speedChanged(clamped);
    }
}

void MSPRandomColorEffectWidget::setFade(bool fade)
{
    ui->fadeCheckBox->setChecked(fade);
}

void MSPRandomColorEffectWidget::handleSpeedSliderChanged(int value)
{
    ui->speedValueLabel->setText(speedLabel(value));
    if (!storeUserValue(randomEffect(), &MSPRandomColorEffect::speed, &MSPRandomColorEffect::setSpeed, value))
        return;
    emit speedChanged(value);
    reportDrag(ui->speedSlider);
}

void MSPRandomColorEffectWidget::handleFadeChanged(int state)
{
    const bool fade = state != Qt::Unchecked;
    if (storeUserValue(randomEffect(), &MSPRandomColorEffect::fade, &MSPRandomColorEffect::setFade, fade))
        emit fadeChanged(fade);
}
