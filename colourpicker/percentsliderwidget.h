// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QSpinBox;

namespace OvrColorPickerLib {

class GradientColorSelectorWidget;

/**
 * A label, a gradient slider and a spin box for a percentage 0..100 of the
 * colour being edited. Subclasses give the texts and draw the gradient.
 */
class PercentSliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PercentSliderWidget)
public:
    ~PercentSliderWidget() override;

    int percent() const { return m_value; }
    GradientColorSelectorWidget *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }
    QLabel *label() const { return m_label; }

    /** Moves slider and spin box without emitting. */
    void setPercent(int percent);

signals:
    /** The user moved the slider or changed the spin box. */
    void percentChanged(int percent);

protected:
    /** @p labelText is the label ("Intensity:"), @p name the accessible name. */
    PercentSliderWidget(const QString &labelText, const QString &name, QWidget *parent);

private:
    void userChanged(int value);

    QLabel *m_label;
    GradientColorSelectorWidget *m_slider;
    QSpinBox *m_spinBox;
    int m_value = 100;
};

} // namespace OvrColorPickerLib
