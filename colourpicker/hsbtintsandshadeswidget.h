// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorselectorwidget.h"

namespace OvrColorPickerLib {

/**
 * Tints and shades of one hue: saturation runs left to right (white-ish
 * tints on the left), brightness from black at the bottom to full at the
 * top. The field is rendered again only when the hue changes.
 */
class HsbTintsAndShadesWidget : public ColorSelectorWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HsbTintsAndShadesWidget)
public:
    explicit HsbTintsAndShadesWidget(QWidget *parent = nullptr);
    ~HsbTintsAndShadesWidget() override;

    /** Shows hue, saturation and brightness (fractions 0..1) without emitting. */
    void setHsv(double hue, double saturation, double brightness, double alpha = 1.0);
    double hue() const { return m_hue; }

    OvrColor colorAt(const QPointF &position) const override;

    QSize sizeHint() const override;

signals:
    void colorChanged(const OvrColor &color);

protected:
    void renderField(QImage &image) const override;

private:
    double m_hue = 0.0;
    double m_alpha = 1.0;
};

} // namespace OvrColorPickerLib
