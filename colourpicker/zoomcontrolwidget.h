// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace OvrColorPickerLib {

/**
 * Zoom out / level slider / zoom in, with the magnification shown as "4×".
 * Level n magnifies 2^n times.
 */
class ZoomControlWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ZoomControlWidget)
public:
    static constexpr int MinimumZoomLevel = 1;
    static constexpr int MaximumZoomLevel = 6;
    static constexpr int DefaultZoomLevel = 2;

    explicit ZoomControlWidget(QWidget *parent = nullptr);
    ~ZoomControlWidget() override;

    int zoomLevel() const;
    /** 2^level. */
    double magnification() const;

public slots:
    /** Clamps to the range; emits zoomLevelChanged() on a change. */
    void setZoomLevel(int level);
    void zoomIn();
    void zoomOut();

signals:
    void zoomLevelChanged(int level);

private:
    void updateLabel();

    QToolButton *m_outButton;
    QSlider *m_slider;
    QToolButton *m_inButton;
    QLabel *m_label;
};

} // namespace OvrColorPickerLib
