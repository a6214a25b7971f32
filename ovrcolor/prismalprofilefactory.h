// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QMap>

class PrismalProfile;

/** Process-wide table of the ten fixture profiles. */
class OVRCOLOR_EXPORT PrismalProfileFactory
{
public:
    static PrismalProfileFactory *instance();
    ~PrismalProfileFactory();

    /** The profile (owned by the factory), or null for an unknown ID. */
    PrismalProfile *getProfile(ColorUtils::PrismalProfileID profile) const;

    /**
     * The channel configuration of a profile from the built-in table, without
     * creating the factory (ConfigUnknown for an unknown ID).
     */
    static ColorUtils::ChannelConfiguration builtinChannelConfiguration(int profile);

private:
    PrismalProfileFactory();
    Q_DISABLE_COPY(PrismalProfileFactory)
    void populateProfileMap();

    QMap<int, PrismalProfile *> m_profiles;
};
