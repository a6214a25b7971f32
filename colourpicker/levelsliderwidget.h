// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAbstractSpinBox;
class QLabel;
class QSlider;

namespace OvrColorPickerLib {

/**
 * A label, a slider and a spin box beside it, all showing one whole level.
 * The slider works in levels. Subclasses say which levels there are
 * (boundedLevel()) and how the spin box shows one (showInSpinBox()), and
 * hand the spin box's changes to userChanged() as levels.
 */
class LevelSliderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LevelSliderWidget)
public:
    ~LevelSliderWidget() override;

    QLabel *label() const { return m_label; }
    QSlider *slider() const { return m_slider; }

signals:
    /** The user moved the slider or changed the spin box to another level. */
    void levelChanged(int level);

protected:
    /** Lays out @p labelText, the slider and @p spinBox, which this widget takes. */
    LevelSliderWidget(const QString &labelText, QAbstractSpinBox *spinBox, QWidget *parent);

    int level() const { return m_level; }
    QAbstractSpinBox *abstractSpinBox() const { return m_spinBox; }
    /** Moves slider and spin box to @p level, bounded; emits nothing. */
    void setLevel(int level);
    /** A level the user chose in the slider or the spin box. */
    void userChanged(int level);

    virtual int boundedLevel(int level) const = 0;
    /** Sets the spin box to show @p level (its signals are blocked meanwhile). */
    virtual void showInSpinBox(int level) = 0;

private:
    QLabel *m_label;
    QSlider *m_slider;
    QAbstractSpinBox *m_spinBox;
    int m_level = 0;
};

} // namespace OvrColorPickerLib
