// SPDX-License-Identifier: GPL-3.0-or-later
#include "prismalprofile.h"

#include "tristimulus.h"

PrismalProfile::PrismalProfile(const QString &name, Tristimulus *tristimulus,
                               ColorUtils::ChannelConfiguration configuration, int defaultOnboardCurve,
                               ColorUtils::IOModeID defaultIOMode, ColorUtils::IOModeID defaultIOMode3toN,
                               const QMap<ColorUtils::IOModeID, bool> &prismalEnabled,
                               const QList<ColorUtils::IOModeID> &availableIOModes)
    : m_name(name)
    , m_tristimulus(tristimulus)
    , m_configuration(configuration)
    , m_defaultOnboardCurve(defaultOnboardCurve)
    , m_defaultIOMode(defaultIOMode)
    , m_defaultIOMode3toN(defaultIOMode3toN)
    , m_prismalEnabled(prismalEnabled)
    , m_availableIOModes(availableIOModes)
{
}

QStringList PrismalProfile::getChannelNames() const
{
    return m_tristimulus ? m_tristimulus->getChannelNames() : QStringList();
}
