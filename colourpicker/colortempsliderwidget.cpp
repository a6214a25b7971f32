// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortempsliderwidget.h"

#include "cctutils.h"

#include <QSlider>
#include <QSpinBox>

namespace OvrColorPickerLib {

ColorTempSliderWidget::ColorTempSliderWidget(QWidget *parent)
    : LevelSliderWidget(tr("CCT"), new QSpinBox, parent)
{
    slider()->setObjectName(QStringLiteral("cctSlider"));
    spinBox()->setObjectName(QStringLiteral("cctSpinBox"));
    slider()->setRange(CCTUtils::getMinCCT(), CCTUtils::getMaxCCT());
    slider()->setSingleStep(CCTUtils::getCCTStepSize());
    slider()->setPageStep(100);
    spinBox()->setRange(CCTUtils::getMinCCT(), CCTUtils::getMaxCCT());
    spinBox()->setSingleStep(CCTUtils::getCCTStepSize());
    spinBox()->setSuffix(tr(" K"));
    slider()->setAccessibleName(tr("CCT"));
    spinBox()->setAccessibleName(tr("CCT in kelvin"));

    setCCT(4000);
    connect(this, &LevelSliderWidget::levelChanged, this, &ColorTempSliderWidget::cctChanged);
    connect(spinBox(), qOverload<int>(&QSpinBox::valueChanged), this, &ColorTempSliderWidget::userChanged);
}

QSpinBox *ColorTempSliderWidget::spinBox() const
{
    return static_cast<QSpinBox *>(abstractSpinBox());
}

int ColorTempSliderWidget::boundedLevel(int cct) const
{
    const int step = CCTUtils::getCCTStepSize();
    return qBound(CCTUtils::getMinCCT(), (cct + step / 2) / step * step, CCTUtils::getMaxCCT());
}

void ColorTempSliderWidget::showInSpinBox(int cct)
{
    spinBox()->setValue(cct);
}

} // namespace OvrColorPickerLib
