// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffect.h"

/** Type 0: one colour, sent as its red, green and blue channel values. */
class MSPFixedColorEffect : public MSPEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPFixedColorEffect)
    Q_PROPERTY(QString color READ color WRITE setColor NOTIFY colorChanged)
public:
    explicit MSPFixedColorEffect(QObject *parent = nullptr);
    ~MSPFixedColorEffect() override;

    /** The program's default scene colour, "#ff0000", also the editors' default. */
    static QString defaultColor();

    /** The colour as an OvrColor name (aName() or "#rrggbb"). */
    QString color() const { return m_color; }

signals:
    void colorChanged(const QString &color);

public slots:
    void setColor(const QString &color);
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;

public:
    bool acceptsParameters(int paramCount, int colorCount, bool hasYxy) const override;

protected:
    MSPFixedColorEffect(QObject *parent, int type);

    /** Stores a colour loaded from the wire; an invalid one leaves the colour as it was. */
    void storeLoadedColor(const OvrColor &color);
    /**
     * A colour from a Yxy triple; invalid when any value lies outside 0..1
     * (no colour can have it, and such input only comes from a bad reply).
     */
    static OvrColor colorFromYxy(float Y, float x, float y);
    /**
     * The start of setParameters(): true when the wire form is dealt with,
     * refused (the colour stays) or carrying the colour in Yxy (then stored);
     * false when the caller is to read the colour from @p params.
     */
    bool loadYxyOrRefuse(const QStringList &params, const QList<OvrColor *> &colors, float Y, float x, float y);
    /** Sets @p Y, @p x and @p y to @p color's when it is given in Yxy; else leaves them. */
    static void yxyOf(const OvrColor &color, float &Y, float &x, float &y);

private:
    QString m_color;
};
