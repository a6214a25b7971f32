// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "levelsliderwidget.h"

class QDoubleSpinBox;

namespace OvrColorPickerLib {

/**
 * "Tint" slider with a spin box. The tint is held in the white geometry's
 * units (±32767 for the full isotherm) and shown as a percentage of it:
 * positive towards green, negative towards magenta.
 */
class ColorTintSliderWidget : public LevelSliderWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorTintSliderWidget)
    Q_PROPERTY(int tint READ tint WRITE setTint NOTIFY tintChanged USER true)

public:
    explicit ColorTintSliderWidget(QWidget *parent = nullptr);

    int tint() const { return level(); }
    QDoubleSpinBox *spinBox() const;

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setTint(int tint) { setLevel(tint); }

signals:
    /** The user changed the tint. */
    void tintChanged(int tint);

protected:
    int boundedLevel(int tint) const override;
    void showInSpinBox(int tint) override;
};

} // namespace OvrColorPickerLib
