// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspwhiteeffectwidget.h"
#include "ui_mspwhiteeffectwidget.h"

#include "mspwhiteeffect.h"

MSPWhiteEffectWidget::MSPWhiteEffectWidget(QWidget *parent)
    : MSPWhiteEffectWidget(parent, false)
{
}

MSPWhiteEffectWidget::MSPWhiteEffectWidget(QWidget *parent, bool kelvo)
    : MSPEffectWidget(parent)
    , ui(new Ui::MSPWhiteWidget)
{
    ui->setupUi(this);
    // The two fixtures number their temperature scales in opposite
    // directions; on screen both run warm to cool, left to right, so the
    // RGB White slider is drawn the other way round (its value is not).
    ui->temperatureSlider->setInvertedAppearance(!kelvo);
    ui->RGBCoolLabel->setVisible(!kelvo);
    ui->RGBWarmLabel->setVisible(!kelvo);
    ui->KelvoWarmLabel->setVisible(kelvo);
    ui->KelvoNeutralLabel->setVisible(kelvo);
    ui->KelvoCoolLabel->setVisible(kelvo);
    ui->brightnessSlider->setValue(100);
    ui->brightnessEdit->setValue(100);

    connect(ui->temperatureSlider, &QSlider::valueChanged, this, &MSPWhiteEffectWidget::handleTemperatureSliderChanged);
    connect(ui->temperatureSlider, &QSlider::sliderReleased, this, &MSPEffectWidget::changeFinished);
    connect(ui->brightnessSlider, &QSlider::valueChanged, this, &MSPWhiteEffectWidget::handleBrightnessSliderChanged);
    connect(ui->brightnessSlider, &QSlider::sliderReleased, this, &MSPEffectWidget::changeFinished);
    connect(ui->brightnessEdit, qOverload<int>(&QSpinBox::valueChanged), this,
            &MSPWhiteEffectWidget::handleBrightnessEditChanged);
}

MSPWhiteEffectWidget::~MSPWhiteEffectWidget() = default;

const QMetaObject &MSPWhiteEffectWidget::effectClass() const
{
    return MSPWhiteEffect::staticMetaObject;
}

MSPWhiteEffect *MSPWhiteEffectWidget::whiteEffect() const
{
    return static_cast<MSPWhiteEffect *>(effect());
}

bool MSPWhiteEffectWidget::setEffect(MSPEffect *effect)
{
    if (!isEffectOfClass(effect, effectClass()))
        return false;
    attach(effect);
    const ShowingEffect showing(this);
    const auto *white = whiteEffect();
    if (ui->temperatureSlider->value() != white->temperature())
        ui->temperatureSlider->setValue(white->temperature());
    if (ui->brightnessSlider->value() != white->brightness())
        ui->brightnessSlider->setValue(white->brightness());
    if (ui->brightnessEdit->value() != white->brightness())
        ui->brightnessEdit->setValue(white->brightness());
    return true;
}

void MSPWhiteEffectWidget::handleTemperatureSliderChanged(int value)
{
    if (!storeUserValue(whiteEffect(), &MSPWhiteEffect::temperature, &MSPWhiteEffect::setTemperature, value))
        return;
    emit temperatureChanged(value);
    reportDrag(ui->temperatureSlider);
}

void MSPWhiteEffectWidget::handleBrightnessSliderChanged(int value)
{
    showQuietly(ui->brightnessEdit, value);
    if (!storeUserValue(whiteEffect(), &MSPWhiteEffect::brightness, &MSPWhiteEffect::setBrightness, value))
        return;
    emit brightnessChanged(value);
    reportDrag(ui->brightnessSlider);
}

void MSPWhiteEffectWidget::handleBrightnessEditChanged()
{
    ui->brightnessSlider->setValue(ui->brightnessEdit->value());
}
