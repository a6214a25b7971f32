// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

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

    OvrColor color() const;
    QString uid() const;

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

    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
