// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QList>
#include <QMap>
#include <QString>

class IOMode;

/** Process-wide table of the ten IO modes. */
class OVRCOLOR_EXPORT IOModeFactory
{
public:
    static IOModeFactory *instance();
    ~IOModeFactory();

    /** The mode (owned by the factory), or null for an unknown ID. */
    const IOMode *ioMode(ColorUtils::IOModeID id) const;
    QString nameForIOModeID(ColorUtils::IOModeID id) const;
    bool ioModeIs3toN(ColorUtils::IOModeID id) const;
    bool ioModeIsNtoN(ColorUtils::IOModeID id) const;
    QList<ColorUtils::PrismalMode> availablePrismalEnabled(ColorUtils::IOModeID id) const;

private:
    IOModeFactory();
    Q_DISABLE_COPY(IOModeFactory)
    void populate();

    QMap<int, IOMode *> m_modes;
};
