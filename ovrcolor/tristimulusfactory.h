// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QHash>
#include <QString>

#include <memory>

class Tristimulus;

/**
 * Process-wide table of tristimulus records: built-in defaults per fixture
 * profile, optionally overridden by "FixtureProfiles.xml" in the program's
 * directory.
 */
class OVRCOLOR_EXPORT TristimulusFactory
{
public:
    static TristimulusFactory *getInstance();
    ~TristimulusFactory();

    /**
     * The record of a profile (owned by the factory). Profile 0 asked for with
     * RGBAW, RGBWW or RGBW gets the matching generic multi-channel record.
     */
    Tristimulus *getTristimulus(ColorUtils::PrismalProfileID profile, ColorUtils::ChannelConfiguration configuration);

    /** Full path of the profile database read at start-up. */
    static QString profileDatabasePath();
    /**
     * Reads a profile database and applies its profiles over the current
     * records. False when the file cannot be opened or the parse failed;
     * profiles applied before a failure stay applied.
     */
    bool readProfileDatabase(const QString &fileName);
    /** Puts every record back to its built-in values (records keep their addresses). */
    void restoreDefaults();

private:
    TristimulusFactory();
    Q_DISABLE_COPY(TristimulusFactory)
    void populate();
    static int keyFor(ColorUtils::PrismalProfileID profile, ColorUtils::ChannelConfiguration configuration);
    static void fillDefaults(Tristimulus *record, int key);

    QHash<int, Tristimulus *> m_records;
};
