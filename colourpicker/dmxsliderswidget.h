// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVector>
#include <QWidget>

class QVBoxLayout;

namespace OvrColorPickerLib {

class DmxSliderWidget;

/** One DmxSliderWidget per channel of a fixture, reporting all levels together. */
class DmxSlidersWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DmxSlidersWidget)

public:
    explicit DmxSlidersWidget(QWidget *parent = nullptr);

    /** Replaces the sliders with one per channel name, all at 0. */
    void setChannels(const QStringList &channelNames);
    QStringList channelNames() const;
    QVector<int> levels() const;
    QList<DmxSliderWidget *> sliders() const { return m_sliders; }

public slots:
    /** Moves the sliders (missing levels count as 0); emits nothing. */
    void setLevels(const QVector<int> &levels);

signals:
    /** The user moved a slider; carries every channel's level in channel order. */
    void dmxChanged(const QVector<int> &levels);

private:
    QVBoxLayout *m_layout = nullptr;
    QList<DmxSliderWidget *> m_sliders;
};

} // namespace OvrColorPickerLib
