// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "levelsliderwidget.h"

class QSpinBox;

namespace OvrColorPickerLib {

/** "CCT" slider with a spin box in kelvin, on the white geometry's 10-kelvin grid. */
class ColorTempSliderWidget : public LevelSliderWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorTempSliderWidget)
    Q_PROPERTY(int cct READ cct WRITE setCCT NOTIFY cctChanged USER true)

public:
    explicit ColorTempSliderWidget(QWidget *parent = nullptr);

    int cct() const { return level(); }
    QSpinBox *spinBox() const;

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setCCT(int cct) { setLevel(cct); }

signals:
    /** The user changed the CCT. */
    void cctChanged(int cct);

protected:
    int boundedLevel(int cct) const override;
    void showInSpinBox(int cct) override;
};

} // namespace OvrColorPickerLib
