// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcustomwasheffect.h"

#include "ovrcolor.h"

MSPCustomWashEffect::MSPCustomWashEffect(QObject *parent)
    : MSPCustomWashEffect(parent, CustomWash, 1, 32)
{
}

MSPCustomWashEffect::MSPCustomWashEffect(QObject *parent, int type, int minimumWidth, int maximumWidth)
    : MSPColorWashEffect(parent, type)
    , m_minimumWidth(minimumWidth)
    , m_maximumWidth(maximumWidth)
    , m_width(minimumWidth)
    , m_colorList({ QStringLiteral("#ff0000"), QStringLiteral("#00ff00") })
{
}

MSPCustomWashEffect::~MSPCustomWashEffect() = default;

void MSPCustomWashEffect::setWidth(int width)
{
    updateParameter(m_width, width, [this] { emit widthChanged(); });
}

void MSPCustomWashEffect::setColorList(const QStringList &colorList)
{
    QStringList kept;
    kept.reserve(colorList.size());
    for (const QString &name : colorList)
        kept << keptColorName(name);
    updateParameter(m_colorList, kept, [this] { emit colorListChanged(); });
}

bool MSPCustomWashEffect::acceptsParameters(int paramCount, int colorCount, bool hasYxy) const
{
    Q_UNUSED(hasYxy)
    // Speed, direction and width, and the keypad's six colour slots.
    return paramCount == 3 && colorCount == maximumColors;
}

void MSPCustomWashEffect::setParameters(const QStringList &params, const QList<OvrColor *> &colors,
                                        int numColors, ColorUtils::PrismalProfileID, float, float, float)
{
    if (!acceptsParameters(params.size(), colors.size(), false))
        return;
    loadSpeedAndDirection(params);
    m_width = qBound(m_minimumWidth, params.at(2).trimmed().toInt(), m_maximumWidth);
    m_colorList.clear();
    // Only the six supplied colours are ever read; a negative count reads none.
    const int count = qBound(0, numColors, maximumColors);
    for (int i = 0; i < count; ++i) {
        const OvrColor *color = colors.at(i);
        m_colorList << (color ? color->aName() : QString());
    }
}

void MSPCustomWashEffect::getParameters(QStringList &params, QList<OvrColor *> &colors, float &Y, float &x,
                                        float &y)
{
    MSPColorWashEffect::getParameters(params, colors, Y, x, y);
    params << QString::number(m_width);
    for (const QString &name : qAsConst(m_colorList))
        colors << new OvrColor(name);
}

#include "moc_mspcustomwasheffect.cpp"
