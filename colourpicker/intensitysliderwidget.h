// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLORPICKER_INTENSITYSLIDERWIDGET_H
#define OVRCOLORPICKER_INTENSITYSLIDERWIDGET_H

#include <ovrcolor.h>

#include <QWidget>

class QLabel;
class QSpinBox;

namespace OvrColorPickerLib {

class GradientColorSelectorWidget;

/**
 * "Intensity:" with a gradient slider and a spin box.
 * Intensity 0..100 0f the colour being edited; the gradient runs from
 * black to the colour at full intensity.
 */
class IntensitySliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(IntensitySliderWidget)
public:
    explicit IntensitySliderWidget(QWidget *parent = nullptr);
    ~IntensitySliderWidget() override;

    int intensity() const;
    GradientColorSelectorWidget *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }
    QLabel *label() const { return m_label; }

public slots:
    /** Moves slider and spin box without emitting. */
    void setIntensity(int intensity);
    /** The colour the gradient is drawn for. */
    void setColor(const OvrColor &color);

signals:
    void intensityChanged(int intensity);

private:
    void userChanged(int value);

    QLabel *m_label;
    GradientColorSelectorWidget *m_slider;
    QSpinBox *m_spinBox;
    OvrColor m_color;
    int m_value = 100;
};

} // namespace OvrColorPickerLib

#endif // OVRCOLORPICKER_INTENSITYSLIDERWIDGET_H
