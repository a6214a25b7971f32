// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bandpickerwidget.h"

namespace OvrColorPickerLib {

/**
 * A horizontal band of white light from the warmest to the coolest CCT the
 * white geometry supports, with a marker at the current CCT and a scale in
 * kelvin. The band is laid out evenly in mired, so warm whites, where the eye
 * tells small steps apart, get more room than the cool end.
 */
class CCTPickerWidget : public BandPickerWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CCTPickerWidget)
    Q_PROPERTY(int cct READ cct WRITE setCCT NOTIFY cctChanged USER true)

public:
    explicit CCTPickerWidget(QWidget *parent = nullptr);
    ~CCTPickerWidget() override;

    int cct() const { return markedValue(); }
    /** Horizontal position (widget pixels) of a CCT on the band. */
    int positionForCCT(int cct) const;
    /** CCT at a horizontal position, on the 10-kelvin grid. */
    int cctAtPosition(int x) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    /** Moves the marker; emits nothing. */
    void setCCT(int cct) { setMarkedValue(cct); }

signals:
    /** The user moved the marker. */
    void cctChanged(int cct);

protected:
    void paintEvent(QPaintEvent *event) override;
    int valueAt(int x) const override;
    int validValue(int value) const override;
    Steps steps() const override;
    QRect bandRect() const override;
    OvrColor bandColorAt(int x) const override;
};

} // namespace OvrColorPickerLib
