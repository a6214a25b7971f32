// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class OvrColor;

namespace OvrColorPickerLib {

/**
 * Base of the pickers that show one value on a horizontal band of colours
 * (CCT, tint): the band drawn in the fixture's colours and cached, and the
 * mouse, wheel and keys that move the marker, and the value under it. A
 * subclass maps values to positions and colours and says which values
 * there are.
 */
class BandPickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BandPickerWidget)

public:
    ~BandPickerWidget() override;

signals:
    /** The user moved the marker to @p value. */
    void valuePicked(int value);

protected:
    /** Steps of the arrow keys, the page keys and a wheel notch; Home and End go to the ends. */
    struct Steps
    {
        int arrow;
        int page;
        int wheel;
        int lowest;
        int highest;
    };

    /** The marker starts at @p value, which must be one the subclass holds valid. */
    BandPickerWidget(int value, QWidget *parent);

    /** The value under the marker. */
    int markedValue() const { return m_value; }
    /** Moves the marker to @p value, made valid; emits nothing. */
    void setMarkedValue(int value);
    /** The value at a horizontal position (widget pixels). */
    virtual int valueAt(int x) const = 0;
    /** @p value as one the picker can hold (within its range, on its grid). */
    virtual int validValue(int value) const = 0;
    virtual Steps steps() const = 0;
    /** Where the band lies in the widget. */
    virtual QRect bandRect() const = 0;
    /** The colour of the band at a horizontal position (widget pixels). */
    virtual OvrColor bandColorAt(int x) const = 0;

    /** The band's colours changed: it is drawn anew. */
    void invalidateBand();
    /** Draws the band and its frame. */
    void paintBand(QPainter &painter);
    /** The user picked @p value: made valid, kept and told, unless it is the value already. */
    void pick(int value);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_band; // in device pixels, one row
    int m_value;
};

} // namespace OvrColorPickerLib
