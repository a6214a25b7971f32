// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLORPICKER_OPACITYSLIDERWIDGET_H
#define OVRCOLORPICKER_OPACITYSLIDERWIDGET_H

#include <ovrcolor.h>

#include <QWidget>

class QLabel;
class QSpinBox;

namespace OvrColorPickerLib {

class GradientColorSelectorWidget;

/**
 * "Opacity:" with a gradient slider and a spin box.
 * Opacity 0..100 0f the colour being edited; the gradient runs from
 * transparent (over a checkerboard) to the opaque colour.
 */
class OpacitySliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OpacitySliderWidget)
public:
    explicit OpacitySliderWidget(QWidget *parent = nullptr);
    ~OpacitySliderWidget() override;

    int opacity() const;
    GradientColorSelectorWidget *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }
    QLabel *label() const { return m_label; }

public slots:
    /** Moves slider and spin box without emitting. */
    void setOpacity(int opacity);
    /** The colour the gradient is drawn for. */
    void setColor(const OvrColor &color);

signals:
    void opacityChanged(int opacity);

private:
    void userChanged(int value);

    QLabel *m_label;
    GradientColorSelectorWidget *m_slider;
    QSpinBox *m_spinBox;
    OvrColor m_color;
    int m_value = 100;
};

} // namespace OvrColorPickerLib

#endif // OVRCOLORPICKER_OPACITYSLIDERWIDGET_H
