// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class Tristimulus;

/** A fixture profile: channel layout, colour data, on-board curve and IO modes. */
class OVRCOLOR_EXPORT PrismalProfile
{
public:
    PrismalProfile(const QString &name, Tristimulus *tristimulus, ColorUtils::ChannelConfiguration configuration,
                   int defaultOnboardCurve, ColorUtils::IOModeID defaultIOMode,
                   ColorUtils::IOModeID defaultIOMode3toN, const QMap<ColorUtils::IOModeID, bool> &prismalEnabled,
                   const QList<ColorUtils::IOModeID> &availableIOModes);
    PrismalProfile(const PrismalProfile &other) = default;
    PrismalProfile &operator=(const PrismalProfile &other) = default;

    QString name() const { return m_name; }
    Tristimulus *getTristimulus() const { return m_tristimulus; }
    void setTristimulus(Tristimulus *tristimulus) { m_tristimulus = tristimulus; }
    ColorUtils::ChannelConfiguration getChannelConfiguration() const { return m_configuration; }
    int getDefaultOnboardCurve() const { return m_defaultOnboardCurve; }
    QList<ColorUtils::IOModeID> getAvailableIOModeIDs() const { return m_availableIOModes; }
    ColorUtils::IOModeID getDefaultIOModeID() const { return m_defaultIOMode; }
    ColorUtils::IOModeID getDefaultIOModeID3toN() const { return m_defaultIOMode3toN; }
    bool getDefaultIsPrismalEnabled(ColorUtils::IOModeID mode) const { return m_prismalEnabled.value(mode, false); }
    void setDefaultIsPrismalEnabled(ColorUtils::IOModeID mode, bool enabled) { m_prismalEnabled[mode] = enabled; }
    QStringList getChannelNames() const;

private:
    QString m_name;
    Tristimulus *m_tristimulus; // owned by TristimulusFactory
    ColorUtils::ChannelConfiguration m_configuration;
    int m_defaultOnboardCurve;
    ColorUtils::IOModeID m_defaultIOMode;
    ColorUtils::IOModeID m_defaultIOMode3toN;
    QMap<ColorUtils::IOModeID, bool> m_prismalEnabled;
    QList<ColorUtils::IOModeID> m_availableIOModes;
};
