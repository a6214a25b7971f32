// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspfixedcoloreffectwidget.h"
#include "ui_mspfixedcoloreffectwidget.h"

#include "mspfixedcoloreffect.h"
#include "colorappearance.h"
#include "ovrcolor.h"
#include "ovrcolorpicker.h"
#include "ovrcolorpickerwidget.h"

MSPFixedColorEffectWidget::MSPFixedColorEffectWidget(QWidget *parent)
    : MSPEffectWidget(parent)
    , ui(new Ui::MSPFixedColorWidget)
{
    ui->setupUi(this);
    const int side = fontMetrics().height() * 2;
    ui->colorSwatch->setFixedSize(side * 2, side);
    connect(ui->colorPicker, &OvrColorPickerLib::OvrColorPicker::colorAddedToFavorites, this,
            &MSPEffectWidget::handleAddToFavorites);
    connect(ui->colorPicker, &OvrColorPickerLib::OvrColorPicker::clearPreviousSelection, this,
            &MSPFixedColorEffectWidget::clearPreviousSelection);
    // The keypad plays colours without opacity.
    ui->colorPicker->setOpacityVisible(false);
    connect(OvrColorPickerLib::ColorAppearance::instance(), &OvrColorPickerLib::ColorAppearance::fixtureClassChanged,
            this, [this] { showSwatch(fixedEffect() ? fixedEffect()->color() : QString()); });
    setColor(MSPFixedColorEffect::defaultColor());
}

MSPFixedColorEffectWidget::~MSPFixedColorEffectWidget() = default;

const QMetaObject &MSPFixedColorEffectWidget::effectClass() const
{
    return MSPFixedColorEffect::staticMetaObject;
}

MSPFixedColorEffect *MSPFixedColorEffectWidget::fixedEffect() const
{
    return static_cast<MSPFixedColorEffect *>(effect());
}

bool MSPFixedColorEffectWidget::setEffect(MSPEffect *effect)
{
    if (!isEffectOfClass(effect, effectClass()))
        return false;
    attach(effect);
    // Older keypads play only colours given as red, green and blue: the
    // white and channel pages need newer firmware (any firmware in a demo).
    const bool allowed = pickerPagesAllowed();
    ui->colorPicker->setPageEnabled(OvrColorPickerLib::OvrColorPickerWidget::WhitePage, allowed);
    ui->colorPicker->setPageEnabled(OvrColorPickerLib::OvrColorPickerWidget::NChannelPage, allowed);
    setColor(fixedEffect()->color());
    return true;
}

void MSPFixedColorEffectWidget::clearPreviousSelection()
{
}

void MSPFixedColorEffectWidget::setColor(const QString &color)
{
    m_showingColor = true;
    showSwatch(color);
    const OvrColor value(color);
    if (value.isValid())
        ui->colorPicker->setColorAndSelectMainPreview(value, QString());
    m_showingColor = false;
}

void MSPFixedColorEffectWidget::showSwatch(const QString &color)
{
    const OvrColor value(color);
    QPalette palette = ui->colorSwatch->palette();
    palette.setColor(QPalette::Window, OvrColorPickerLib::ColorAppearance::shown(value));
    ui->colorSwatch->setPalette(palette);
    if (!value.isValid())
        ui->colorNameLabel->clear();
    else if (value.spec() == OvrColor::Yxy)
        ui->colorNameLabel->setText(tr("White x %1, y %2").arg(value.getx(), 0, 'f', 4).arg(value.gety(), 0, 'f', 4));
    else
        ui->colorNameLabel->setText(value.name8().toUpper());
}

void MSPFixedColorEffectWidget::on_colorPicker_mainColorChanged(OvrColor color, const QString &uid)
{
    Q_UNUSED(uid)
    // The picker echoes the colour the editor gave it; only the user's own
    // picks change the scene.
    if (m_showingColor || !color.isValid() || !fixedEffect())
        return;
    const QString name = MSPEffect::keptColorName(color.aName());
    showSwatch(name);
    if (fixedEffect()->color() == name)
        return;
    fixedEffect()->setColor(name);
    emit colorChanged(name);
}

void MSPFixedColorEffectWidget::on_colorPicker_comparisonColorChanged(OvrColor color, const QString &uid)
{
    // The comparison swatches are the user's reference; the scene keeps its colour.
    Q_UNUSED(color)
    Q_UNUSED(uid)
}
