// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffect.h"
#include "ovrcolor.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractSlider;
class QSpinBox;

/**
 * Base of the effect editors: one page of the scene settings per effect
 * type. An editor is attached to an effect of its own class with
 * setEffect() and writes every change through the effect's setters, so the
 * scene model learns of it at once.
 */
class MSPEffectWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPEffectWidget)
public:
    explicit MSPEffectWidget(QWidget *parent = nullptr);
    ~MSPEffectWidget() override;

    /** The effect the editor is attached to, or null. */
    MSPEffect *effect() const { return m_effect; }

    /** Speed labels of the Color Wash (and Rainbow Wash) editor, index 1..32 (clamped). */
    static QString colorWashSpeedLabel(int index);
    /** Speed labels of the Custom Wash and Random Color editors, index 1..32 (clamped). */
    static QString customWashSpeedLabel(int index);
    /** Room for the widest speed label in @p metrics, in pixels. */
    static int speedLabelWidth(const QFontMetrics &metrics);
    /** Picker pages beyond the first need firmware newer than this (or demo mode). */
    static QString pickerPagesFirmware();
    /** Whether the keypad can play colours from the picker's white and channel pages. */
    static bool pickerPagesAllowed();

signals:
    /** Emitted while a value is being dragged. */
    void intermediateChange();
    /** Emitted when a drag that emitted intermediateChange() ends. */
    void changeFinished();

public slots:
    /**
     * Attaches the editor to @p effect and shows its values. An editor takes
     * only an effect of its own class; for any other it returns false and
     * changes nothing.
     */
    virtual bool setEffect(MSPEffect *effect);
    /** Forgets any colour selection of the editor's colour controls. */
    virtual void clearPreviousSelection();
    /** The text shown for a speed index (wash and random editors). */
    virtual QString speedLabel(int index);
    /**
     * Adds @p color to the user colour list @p list of the colour library,
     * creating the list first when there is none of that name (beside a
     * read-only list of that name, the user list next to it, see
     * OvrColorLibrary::modifiableList()); under its library name when
     * @p uid is known there.
     */
    void handleAddToFavorites(OvrColor color, const QString &uid, const QString &list);

protected:
    /** Whether @p effect is exactly of the class @p meta (a subclass is another effect type). */
    static bool isEffectOfClass(const MSPEffect *effect, const QMetaObject &meta);
    void attach(MSPEffect *effect) { m_effect = effect; }

    /**
     * Held while setEffect() moves the controls to the effect's values.
     * What the controls report meanwhile is no edit: a value outside a
     * control's range (a speed of 40 from the keypad) leaves the control at
     * its end, and the effect keeps its value until the user moves it.
     */
    class ShowingEffect
    {
    public:
        explicit ShowingEffect(MSPEffectWidget *editor)
            : m_editor(editor)
            , m_was(editor->m_showingEffect)
        {
            m_editor->m_showingEffect = true;
        }
        ~ShowingEffect() { m_editor->m_showingEffect = m_was; }

    private:
        Q_DISABLE_COPY(ShowingEffect)
        MSPEffectWidget *const m_editor;
        const bool m_was;
    };
    /** Whether the controls are being moved to the effect's values (no user edit). */
    bool isShowingEffect() const { return m_showingEffect; }

    /**
     * A value the user gave in a control: stored in @p effect with its
     * setter @p set, unless the controls are showing an effect, no effect is
     * attached, or @p get gives the value already. Returns whether it was
     * stored; the caller then emits its own signal.
     */
    template<class Effect, class Get, class Set, class T>
    bool storeUserValue(Effect *effect, Get get, Set set, const T &value)
    {
        if (isShowingEffect() || !effect || (effect->*get)() == value)
            return false;
        (effect->*set)(value);
        return true;
    }
    /** After a slider's value was stored: while the user drags it, the change is intermediate. */
    void reportDrag(const QAbstractSlider *slider);
    /** Shows @p value in the spin box beside a slider without the box reporting it back. */
    static void showQuietly(QSpinBox *edit, int value);

private:
    /** A cycle of @p seconds as the speed slider labels it: "1.75 m", "20 s". */
    static QString cycleLengthText(int seconds);
    QPointer<MSPEffect> m_effect;
    bool m_showingEffect = false;
};
