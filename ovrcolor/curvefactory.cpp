// SPDX-License-Identifier: GPL-3.0-or-later
#include "curvefactory.h"

#include "curve.h"
#include "gammacurveovrnormal.h"
#include "gammacurvetungsten.h"

CurveFactory *CurveFactory::Instance()
{
    static CurveFactory factory;
    return &factory;
}

CurveFactory::CurveFactory()
{
    m_curves[0] = std::make_unique<Curve>();
    m_curves[1] = std::make_unique<GammaCurveOvrNormal>();
    m_curves[2] = std::make_unique<GammaCurveTungsten>();
    for (auto &curve : m_curves)
        curve->createLut();
}

CurveFactory::~CurveFactory() = default;

const Curve *CurveFactory::getCurve(int type) const
{
    if (type < 0 || type > 2)
        type = 0;
    return m_curves[type].get();
}

QString CurveFactory::nameForCurveType(int type)
{
    switch (type) {
    case 0:
        return tr("Linear (Default)");
    case 1:
        return tr("Normal (Ovr Gamma)");
    case 2:
        return tr("Tungsten/Incandescent");
    default:
        break;
    }
    return QString();
}

int CurveFactory::curveTypeFromName(const QString &name)
{
    for (int type = 0; type <= 2; ++type) {
        if (name == nameForCurveType(type))
            return type;
    }
    return -1;
}
