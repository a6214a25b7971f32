// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class OvrColor;

/**
 * Base of the eight effects a scene button can play. An effect turns
 * itself into the keypad's parameter list (getParameters) and is loaded
 * back from it (setParameters); its type id is the value of "effect=" in a
 * form body and of the "effect" element in XML.
 */
class MSPEffect : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPEffect)
public:
    enum Type {
        FixedColor = 0,
        VariableColor = 1,
        ColorWash = 2,
        RainbowWash = 3,
        CustomWash = 4,
        RandomColor = 5,
        RGBWhite = 6,
        KelvoWhite = 7
    };
    /** The number of effect types: the last one's id plus one. */
    static constexpr int typeCount = KelvoWhite + 1;
    /**
     * Whether a table of effect types has one row per type, row i holding
     * type i (the factories' tables check this at compile time).
     */
    template<class Row, int N>
    static constexpr bool isTypeTable(const Row (&rows)[N])
    {
        if (N != typeCount)
            return false;
        for (int i = 0; i < N; ++i) {
            if (rows[i].type != i)
                return false;
        }
        return true;
    }
    /** The most colours a scene carries: the six colour slots of the keypad. */
    static constexpr int maximumColors = 6;

    MSPEffect(QObject *parent, int type);
    ~MSPEffect() override;

    int type() const { return m_type; }

    /** The display name of an effect type; "undefined" outside 0..7. */
    static QString effectTypeName(int type);

    /**
     * The three keypad channel values (red, green, blue, 0..255) of a colour
     * for a fixture class, as the keypad outputs it. An invalid colour gives
     * zeros.
     */
    static void colorToChannels(const OvrColor &color, ColorUtils::PrismalProfileID fixtureClass, int rgb[3]);

    /**
     * The colour as a file and the keypad keep it: a white given in Yxy has
     * its Y to three decimals and its x and y to four, so what is sent, saved
     * and opened again is the same colour. Any other colour is returned as it is.
     */
    static OvrColor keptColor(const OvrColor &color);
    /** keptColor() of a colour's text form, as text; other text as it is. */
    static QString keptColorName(const QString &name);

signals:
    void effectParamsChanged();

public slots:
    /**
     * Loads the effect from the decoded wire form. Y, x and y are the
     * effect-level colour in CIE Yxy, all zero when there is none. Emits
     * nothing.
     */
    virtual void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                               ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) = 0;
    /**
     * Clears params and colors, zeroes Y, x and y, then fills them from the
     * effect. The caller owns (and deletes) the colours placed in colors.
     */
    virtual void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) = 0;

public:
    /**
     * Whether setParameters() takes a wire form of @p paramCount parameters
     * and @p colorCount colour slots (with @p hasYxy, an effect-level Yxy
     * colour); for any other it leaves the effect as it is. Most effects
     * need at least two parameters.
     */
    virtual bool acceptsParameters(int paramCount, int colorCount, bool hasYxy) const;

protected:
    /** The fixture class the record holds, used by the colour conversions. */
    static ColorUtils::PrismalProfileID configuredFixtureClass();

    /**
     * A setter's work: when @p value differs from @p member, stores it, calls
     * @p notify (which emits the parameter's own signal) and then emits
     * effectParamsChanged().
     */
    template<class T, class Notify>
    void updateParameter(T &member, const T &value, Notify notify)
    {
        if (member == value)
            return;
        member = value;
        notify();
        emit effectParamsChanged();
    }
    /** What getParameters() starts from: no parameters, no colours, no Yxy colour. */
    static void clearParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y);

private:
    const int m_type;
};
