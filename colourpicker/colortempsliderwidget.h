// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QSlider;
class QSpinBox;

namespace OvrColorPickerLib {

/** "CCT" slider with a spin box in kelvin, on the white geometry's 10-kelvin grid. */
class ColorTempSliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorTempSliderWidget)
    Q_PROPERTY(int cct READ cct WRITE setCCT NOTIFY cctChanged USER true)

public:
    explicit ColorTempSliderWidget(QWidget *parent = nullptr);

    int cct() const;
    QSlider *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setCCT(int cct);

signals:
    /** The user changed the CCT. */
    void cctChanged(int cct);

private:
    void userChanged(int cct);

    QSlider *m_slider = nullptr;
    QSpinBox *m_spinBox = nullptr;
    int m_cct = 0;
};

} // namespace OvrColorPickerLib
