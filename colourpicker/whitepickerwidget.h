// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

class BlackBodyCurveWidget;
class CCTPickerWidget;
class ColorTempSliderWidget;
class ColorTintSliderWidget;
class TintPickerWidget;

/**
 * The white page: a white chosen by CCT and tint on the black-body curve, the
 * CCT and tint bands and sliders, and the ANSI white presets and named whites
 * of the "Halvane Swatches" list. Every white it makes is the chromaticity
 * that CCTUtils gives for the page's CCT and tint, so the page and the lights
 * agree; the luminance and opacity of the colour last set are kept.
 */
class WhitePickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(WhitePickerWidget)

public:
    /** Amounts of the colour-nudging shortcuts. */
    static constexpr int CCTNudge = 100;
    static constexpr int TintNudge = 328; // one percent of the isotherm

    explicit WhitePickerWidget(QWidget *parent = nullptr);
    ~WhitePickerWidget() override;

    OvrColor color() const;
    QString uid() const;
    int cct() const;
    int tint() const;
    bool isInWhiteRange() const;

public slots:
    /** Shows a colour on the page; emits nothing. */
    void setColor(const OvrColor &color, const QString &uid = QString());
    /** Picks the white of a CCT and tint as the user would: emits colorChanged. */
    void setCCTAndTint(int cct, int tint);
    /** Re-reads the white presets and named whites from the colour library. */
    void reloadWhites();

    void onIncreaseRed();
    void onDecreaseRed();
    void onIncreaseGreen();
    void onDecreaseGreen();
    void onIncreaseBlue();
    void onDecreaseBlue();

signals:
    void colorChanged(const OvrColor &color, const QString &uid);
    void intensityChanged(double intensity);

private:
    void showWhite();
    void pickSwatch(int comboIndex, bool named);
    void emitWhite();

    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
