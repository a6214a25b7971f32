// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

class Curve;

/** Process-wide owner of the three dimming curves (0 linear, 1 normal gamma, 2 tungsten). */
class OVRCOLOR_EXPORT CurveFactory
{
    Q_DECLARE_TR_FUNCTIONS(CurveFactory)

public:
    static CurveFactory *Instance();
    ~CurveFactory();

    /** The curve of a type; unknown types get the linear curve. */
    const Curve *getCurve(int type) const;

    static QString nameForCurveType(int type);
    /** Maps a name given by nameForCurveType() back to its type, else -1. */
    static int curveTypeFromName(const QString &name);

private:
    CurveFactory();
    Q_DISABLE_COPY(CurveFactory)

    std::unique_ptr<Curve> m_curves[3];
};
