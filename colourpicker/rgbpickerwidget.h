// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QString>
#include <QWidget>

class QSplitter;

namespace OvrColorPickerLib {

class HexColorEdit;
class HsbSlidersWidget;
class HsbSpectrumWidget;
class HsbSpectrumZoomWidget;
class HsbTintsAndShadesWidget;
class RgbSlidersWidget;

/**
 * The RGB page: the hue/saturation spectrum and its zoom side by side in the
 * top splitter, and below them the tints and shades of the hue with the RGB
 * and HSB sliders. Every part shows the same colour; a change in one moves
 * the others and is reported with colorChanged() (with an empty uid, since
 * an edited colour is no longer the library's).
 *
 * The zoom level and the splitter state are kept in the settings under
 * "colorPickerZoomLevel" and "colorPickerTopSplitterState"; Ctrl+= and
 * Ctrl++ zoom in, Ctrl+- zooms out.
 */
class RgbPickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(RgbPickerWidget)
public:
    explicit RgbPickerWidget(QWidget *parent = nullptr);
    ~RgbPickerWidget() override;

    OvrColor color() const { return m_color; }
    QString uid() const { return m_uid; }

    int zoomLevel() const;

public slots:
    /** Shows the colour on every part without emitting colorChanged(). */
    void setColor(const OvrColor &color, const QString &uid);
    void zoomIn();
    void zoomOut();

signals:
    void colorChanged(const OvrColor &color, const QString &uid);

private:
    void restoreSettings();
    /** Takes a colour picked on one part: hue, saturation and brightness as given. */
    void pickHsv(double hue, double saturation, double brightness, const OvrColor &color, const QWidget *origin);
    void pickColor(const OvrColor &color);
    void showHsv();
    void showHex();

    HsbSpectrumWidget *m_spectrum;
    HsbSpectrumZoomWidget *m_zoom;
    HsbTintsAndShadesWidget *m_tints;
    RgbSlidersWidget *m_rgbSliders;
    HsbSlidersWidget *m_hsbSliders;
    HexColorEdit *m_hex;
    QSplitter *m_topSplitter;
    OvrColor m_color;
    QString m_uid;
    // Kept apart from the colour so grey and black keep their hue and saturation.
    double m_hue = 0.0;
    double m_saturation = 0.0;
    double m_brightness = 1.0;
    double m_alpha = 1.0;
};

} // namespace OvrColorPickerLib
