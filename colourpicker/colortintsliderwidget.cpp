// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortintsliderwidget.h"

#include "cctutils.h"

#include <QDoubleSpinBox>
#include <QSlider>

namespace OvrColorPickerLib {

namespace {
double toPercent(int tint)
{
    return 100.0 * tint / CCTUtils::getMaxTint();
}
int fromPercent(double percent)
{
    return qRound(percent / 100.0 * CCTUtils::getMaxTint());
}
} // namespace

ColorTintSliderWidget::ColorTintSliderWidget(QWidget *parent)
    : LevelSliderWidget(tr("Tint"), new QDoubleSpinBox, parent)
{
    slider()->setObjectName(QStringLiteral("tintSlider"));
    spinBox()->setObjectName(QStringLiteral("tintSpinBox"));
    slider()->setRange(CCTUtils::getMinTint(), CCTUtils::getMaxTint());
    slider()->setSingleStep(fromPercent(1.0));
    slider()->setPageStep(fromPercent(10.0));
    spinBox()->setRange(-100.0, 100.0);
    spinBox()->setDecimals(1);
    spinBox()->setSingleStep(1.0);
    spinBox()->setSuffix(QStringLiteral("%"));
    slider()->setAccessibleName(tr("Tint"));
    spinBox()->setAccessibleName(tr("Tint in percent, positive towards green"));
    setToolTip(tr("Negative tints lean to magenta, positive tints to green"));

    connect(this, &LevelSliderWidget::levelChanged, this, &ColorTintSliderWidget::tintChanged);
    connect(spinBox(), qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this](double percent) { userChanged(fromPercent(percent)); });
}

QDoubleSpinBox *ColorTintSliderWidget::spinBox() const
{
    return static_cast<QDoubleSpinBox *>(abstractSpinBox());
}

int ColorTintSliderWidget::boundedLevel(int tint) const
{
    return qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
}

void ColorTintSliderWidget::showInSpinBox(int tint)
{
    spinBox()->setValue(toPercent(tint));
}

} // namespace OvrColorPickerLib
