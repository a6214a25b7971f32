// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace OvrWidgetsLib {

/**
 * The program's look for sliders and small tool buttons, over whatever style
 * the desktop uses: a thin rounded groove filled up to a round handle, a
 * visible focus ring, and flat rounded tool buttons. Sizes come from the
 * widget's font, so the look scales with the desktop's text size.
 *
 * A widget does not own the style it is given: parent the style to the
 * widget (or to something that outlives it).
 */
class OvrStyle : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrStyle)
public:
    explicit OvrStyle(QObject *parent = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};

} // namespace OvrWidgetsLib
