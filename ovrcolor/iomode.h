// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QList>
#include <QString>

/** An input/output channel arrangement of a fixture. */
class OVRCOLOR_EXPORT IOMode
{
public:
    IOMode(ColorUtils::IOModeID id, const QString &name, bool is3toN, bool isNtoN,
           ColorUtils::ChannelConfiguration inputConfiguration,
           const QList<ColorUtils::PrismalMode> &availablePrismalEnabled);

    ColorUtils::IOModeID index() const { return m_id; }
    QString name() const { return m_name; }
    bool is3toN() const { return m_is3toN; }
    bool isNtoN() const { return m_isNtoN; }
    ColorUtils::ChannelConfiguration inputChannelConfiguration() const { return m_inputConfiguration; }
    QList<ColorUtils::PrismalMode> availablePrismalEnabled() const { return m_availablePrismalEnabled; }

private:
    ColorUtils::IOModeID m_id;
    QString m_name;
    bool m_is3toN;
    bool m_isNtoN;
    ColorUtils::ChannelConfiguration m_inputConfiguration;
    QList<ColorUtils::PrismalMode> m_availablePrismalEnabled;
};
