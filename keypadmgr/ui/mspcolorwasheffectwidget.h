// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffectwidget.h"

#include <QStringList>

#include <memory>

class MSPColorWashEffect;
class MSPCustomWashEffect;
namespace Ui { class MSPCustomWashWidget; }

/**
 * Editor of the wash effects: speed and direction, and for the washes with
 * colours (Custom and Rainbow Wash) the colour strip with the picker and the
 * band width. The strip holds at most the six colours a scene carries.
 */
class MSPColorWashEffectWidget : public MSPEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPColorWashEffectWidget)
public:
    /** Settings key of the height the user gave the colours above the picker (all wash editors share it). */
    static constexpr char splitterKey[] = "wash_editor_splitter";
    explicit MSPColorWashEffectWidget(QWidget *parent = nullptr);
    ~MSPColorWashEffectWidget() override;

signals:
    void speedChanged(int speed);
    void directionChanged(int direction);
    void widthChanged(int width);
    void colorListChanged(const QStringList &colors);
    void colorChanged(const QString &color);

public slots:
    bool setEffect(MSPEffect *effect) override;
    void clearPreviousSelection() override;
    QString speedLabel(int index) override;
    /** Shows and stores a speed, clamped to 1..32. */
    void setSpeed(int speed);
    void setDirection(int direction);
    void setColorList(const QStringList &colors);
    void handleSpeedSliderChanged(int value);
    /** Direction 0, left to right. */
    void handleUpClicked();
    /** Direction 1, right to left. */
    void handleDownClicked();
    void handleWidthSliderChanged(int value);
    void handleWidthEditChanged();
    void handleEditColorChanged(const QString &color);
    void on_colorPicker_mainColorChanged(OvrColor color, const QString &uid);
    void on_colorPicker_comparisonColorChanged(OvrColor color, const QString &uid);
    void handleColorListChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    /** The class of effect this editor takes. */
    virtual const QMetaObject &effectClass() const;
    /** Shows the colour strip, picker and width (the washes that have colours). */
    void setColorControlsVisible(bool visible);
    /** Shows the width of a wash with colours, in its own range. */
    void showWidth(const MSPCustomWashEffect *wash);

    MSPColorWashEffect *washEffect() const;
    MSPCustomWashEffect *customWashEffect() const;

    std::unique_ptr<Ui::MSPCustomWashWidget> ui;

private:
    /** The user chose a direction: shown, stored and told unless it is the effect's already. */
    void chooseDirection(int direction);
    void updateColorLimitNotice();
    void showColorInPicker(const QString &color);
    /**
     * The direction beside the speed where @p width leaves the speed slider
     * room, else on a row of its own below it.
     */
    void arrangeControls(int width);
    void keepNarrowMinimum();
    /** Without a split of the user's, gives the colours their height once laid out. */
    void fitColorsSoon();
    /** Width the speed slider keeps beside the direction, in text lines. */
    static constexpr int sliderRoom = 10;

    bool m_showingColor = false;
    bool m_directionBesideSpeed = true;
};
