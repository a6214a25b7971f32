// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "levelsliderwidget.h"

class QSpinBox;

namespace OvrColorPickerLib {

/** One fixture channel: its name, a slider and a spin box of the DMX level 0 .. 255. */
class DmxSliderWidget : public LevelSliderWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DmxSliderWidget)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)

public:
    explicit DmxSliderWidget(const QString &channelName, QWidget *parent = nullptr);

    int value() const { return level(); }
    QString channelName() const;
    QSpinBox *spinBox() const;

public slots:
    /** Moves slider and spin box; emits nothing. */
    void setValue(int value) { setLevel(value); }

signals:
    /** The user changed the level. */
    void valueChanged(int value);

protected:
    int boundedLevel(int value) const override;
    void showInSpinBox(int value) override;
};

} // namespace OvrColorPickerLib
