// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadscanner.h"

#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

/**
 * What the program remembers about the keypads of a site, in the
 * application's settings: addresses and subnets the user asked for in the
 * keypad list (which the command line asks too), and the last backup of
 * each keypad, written by the command line's backup and read by the
 * keypad list.
 *
 * A last backup belongs to the keypad, so it is kept by MAC address: a
 * keypad that moves keeps it, and a replacement at the old address does not
 * inherit it. Older versions kept it by IP address; such an entry is taken
 * over by the first keypad seen at that address and then removed.
 */
class FleetSettings
{
public:
    struct Backup
    {
        QDateTime time; ///< invalid: never backed up
        QString file;
    };

    static QStringList addresses();
    static void setAddresses(const QStringList &addresses);
    static QStringList subnets();
    static void setSubnets(const QStringList &subnets);
    /**
     * Every host of the remembered subnets and the remembered addresses, in
     * that order; entries that are no address or subnet are left out.
     */
    static QList<QHostAddress> rememberedTargets();

    /** The last backup of @p keypad (by its MAC); never for a keypad whose MAC is unknown. */
    static Backup lastBackup(const KeypadInfo &keypad);
    static void setLastBackup(const KeypadInfo &keypad, const Backup &backup);
    /** Several at once: the settings file is written once. Keypads without a MAC are left out. */
    static void setLastBackups(const QList<QPair<KeypadInfo, Backup>> &backups);

private:
    FleetSettings() = delete;
};
