// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QDoubleSpinBox;
class QSlider;

namespace OvrColorPickerLib {

/**
 * "Tint" slider with a spin box. The tint is held in the white geometry's
 * units (±32767 for the full isotherm) and shown as a percentage of it:
 * positive towards green, negative towards magenta.
 */
class ColorTintSliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorTintSliderWidget)
    Q_PROPERTY(int tint READ tint WRITE setTint NOTIFY tintChanged USER true)

public:
    explicit ColorTintSliderWidget(QWidget *parent = nullptr);

    int tint() const;
    QSlider *slider() const { return m_slider; }
    QDoubleSpinBox *spinBox() const { return m_spinBox; }

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setTint(int tint);

signals:
    /** The user changed the tint. */
    void tintChanged(int tint);

private:
    void userChanged(int tint);

    QSlider *m_slider = nullptr;
    QDoubleSpinBox *m_spinBox = nullptr;
    int m_tint = 0;
};

} // namespace OvrColorPickerLib
