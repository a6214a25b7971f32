// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcolorwasheffect.h"

/** Type 4: a wash through a list of up to six colours, with a band width. */
class MSPCustomWashEffect : public MSPColorWashEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPCustomWashEffect)
    Q_PROPERTY(int width READ width WRITE setWidth NOTIFY widthChanged)
public:
    explicit MSPCustomWashEffect(QObject *parent = nullptr);
    ~MSPCustomWashEffect() override;

    int width() const { return m_width; }
    int minimumWidth() const { return m_minimumWidth; }
    int maximumWidth() const { return m_maximumWidth; }
    /** Colour names (OvrColor aName() or "#rrggbb"), at most six. */
    QStringList colorList() const { return m_colorList; }

signals:
    void widthChanged();
    void colorListChanged();

public slots:
    void setWidth(int width);
    void setColorList(const QStringList &colorList);
    void setParameters(const QStringList &params, const QList<OvrColor *> &colors, int numColors,
                       ColorUtils::PrismalProfileID fixtureClass, float Y, float x, float y) override;
    void getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x, float &y) override;

public:
    bool acceptsParameters(int paramCount, int colorCount, bool hasYxy) const override;

protected:
    MSPCustomWashEffect(QObject *parent, int type, int minimumWidth, int maximumWidth);

private:
    const int m_minimumWidth;
    const int m_maximumWidth;
    int m_width;
    QStringList m_colorList;
};
