// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class OvrColor;

namespace OvrColorPickerLib {

/**
 * Base of the pickers that show one value on a horizontal band of colours
 * (CCT, tint): the band drawn in the fixture's colours and cached, and the
 * mouse, wheel and keys that move the marker. A subclass maps values to
 * positions and colours and keeps the value.
 */
class BandPickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BandPickerWidget)

public:
    ~BandPickerWidget() override;

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

    explicit BandPickerWidget(QWidget *parent = nullptr);

    /** The value under the marker. */
    virtual int markedValue() const = 0;
    /** The value at a horizontal position (widget pixels). */
    virtual int valueAt(int x) const = 0;
    /** @p value as one the picker can hold (within its range, on its grid). */
    virtual int validValue(int value) const = 0;
    /** Keeps a value the user picked and tells of it. */
    virtual void takePickedValue(int value) = 0;
    virtual Steps steps() const = 0;
    /** Where the band lies in the widget. */
    virtual QRect bandRect() const = 0;
    /** The colour of the band at a horizontal position (widget pixels). */
    virtual OvrColor bandColorAt(int x) const = 0;

    /** The band's colours changed: it is drawn anew. */
    void invalidateBand();
    /** Draws the band and its frame. */
    void paintBand(QPainter &painter);
    /** The user picked @p value: kept and told, unless it is the value already. */
    void pick(int value);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_band; // in device pixels, one row
};

} // namespace OvrColorPickerLib
