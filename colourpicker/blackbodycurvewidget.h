// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

/**
 * The part of the CIE 1931 xy diagram around the black-body locus: the
 * colours themselves, the white range (every CCT and tint the white geometry
 * supports) with the region outside it dimmed, the locus, isotherms with their
 * temperatures, and a marker at the current colour. Clicking or dragging picks
 * a white inside the white range.
 */
class BlackBodyCurveWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BlackBodyCurveWidget)

public:
    explicit BlackBodyCurveWidget(QWidget *parent = nullptr);
    ~BlackBodyCurveWidget() override;

    OvrColor color() const;
    /** CCT and tint of the last white picked or set; meaningless outside the white range. */
    int cct() const;
    int tint() const;
    /** True when the colour lies within the supported CCT and tint range. */
    bool isInWhiteRange() const;

    /** Widget position of a chromaticity, and back. */
    QPointF pointFromxy(double x, double y) const;
    void xyFromPoint(const QPointF &point, double &x, double &y) const;

    /** True when xy lies in the white range; its CCT and tint go to cct and tint. */
    static bool whiteRangeCCTAndTint(double x, double y, int &cct, int &tint);
    /**
     * The CCT and tint the white page starts from for a colour: its own for a
     * white, else the temperature whose black-body point is nearest in u'v'
     * at tint 0. Returns whether xy lies in the white range.
     */
    static bool startingCCTAndTint(double x, double y, int &cct, int &tint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    /** Shows a colour; emits nothing. */
    void setColor(const OvrColor &color);
    /** Shows the white of a CCT and tint; emits nothing. */
    void setCCTAndTint(int cct, int tint);

signals:
    /** The user picked a white; its CCT and tint are in cct() and tint(). */
    void colorChanged(const OvrColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void pickAt(const QPointF &pos);

    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
