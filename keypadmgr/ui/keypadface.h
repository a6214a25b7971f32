// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

/**
 * The images the keypad face is drawn from ("background", "button_1_off"
 * and so on, from the program's resources). The face draws them itself
 * rather than through style sheets: a style sheet per key made building
 * the window several times slower, and decoded images of every state
 * before the first was shown. Each image is decoded when first drawn (in
 * a thread of its own beside the window's building, they cost more than
 * they saved on a machine of two cores).
 *
 * The parts below draw the image their form names in their "faceImage"
 * property.
 */
namespace KeypadFace {

/** The image @p name for a screen of @p devicePixelRatio (its @2x file where there is one). */
QPixmap pixmap(const QString &name, qreal devicePixelRatio);

} // namespace KeypadFace

/**
 * A key of the keypad face below the scene keys (Down, Up, On/Off): the
 * image "<faceImage>_off", "_down" while pressed, "_disabled" while it
 * cannot be pressed.
 */
class KeypadKey : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

/**
 * A scene key of the keypad face: "<faceImage>_off", "_on" while its scene
 * plays, "_down" while pressed, "_disabled" while its scene is off. The
 * whole key takes presses, as on the keypad.
 */
class KeypadSceneKey : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

/** A part of the face filled with its image, repeated where it is smaller (the overlay that greys the face out). */
class KeypadFaceImage : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override;
};
