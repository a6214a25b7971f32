// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QSpinBox;

namespace OvrColorPickerLib {

/** One fixture channel: its name, a slider and a spin box of the DMX level 0 .. 255. */
class DmxSliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DmxSliderWidget)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)

public:
    explicit DmxSliderWidget(const QString &channelName, QWidget *parent = nullptr);

    int value() const;
    QString channelName() const;
    QLabel *label() const { return m_label; }
    QSlider *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setValue(int value);

signals:
    /** The user changed the level. */
    void valueChanged(int value);

private:
    void userChanged(int value);

    QLabel *m_label = nullptr;
    QSlider *m_slider = nullptr;
    QSpinBox *m_spinBox = nullptr;
    int m_value = 0;
};

} // namespace OvrColorPickerLib
