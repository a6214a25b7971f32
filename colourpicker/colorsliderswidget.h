// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QVector>
#include <QWidget>

class QDoubleSpinBox;
class QGridLayout;
class QLabel;

namespace OvrColorPickerLib {

class GradientColorSelectorWidget;

/**
 * Base of the RGB and HSB slider groups: one row per component with a short
 * label, a gradient slider and a spin box that follow each other. Each
 * slider's gradient shows the colour with that component swept over its
 * range and the other components fixed; it is rendered again only when the
 * other components change.
 */
class ColorSlidersWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSlidersWidget)
public:
    explicit ColorSlidersWidget(QWidget *parent = nullptr);
    ~ColorSlidersWidget() override;

    OvrColor color() const { return m_color; }
    int channelCount() const { return m_values.size(); }
    QVector<double> values() const { return m_values; }
    GradientColorSelectorWidget *slider(int channel) const;
    QDoubleSpinBox *spinBox(int channel) const;

public slots:
    /** Shows the colour without emitting colorChanged(). */
    void setColor(const OvrColor &color);

signals:
    void colorChanged(const OvrColor &color);

protected:
    /**
     * Adds a row: @p name is the full name (tool tip and accessible name),
     * @p label the short label, values run 0..@p maximum with @p decimals
     * decimals and the spin box shows @p suffix.
     */
    void addChannel(const QString &name, const QString &label, double maximum, int decimals,
                    const QString &suffix = QString());
    /** The components of @p color in channel units; @p previous are the ones shown. */
    virtual QVector<double> channelValues(const OvrColor &color, const QVector<double> &previous) const = 0;
    virtual OvrColor colorFromValues(const QVector<double> &values, double alpha) const = 0;

private:
    struct Channel
    {
        double maximum;
        GradientColorSelectorWidget *slider;
        QDoubleSpinBox *spinBox;
    };

    void userChanged(int channel, double value);
    void refresh();

    QGridLayout *m_layout;
    QVector<Channel> m_channels;
    QVector<double> m_values;
    OvrColor m_color;
};

} // namespace OvrColorPickerLib
