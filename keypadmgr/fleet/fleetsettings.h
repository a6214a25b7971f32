// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

/**
 * What the program remembers about the keypads of a site, in the
 * application's settings: addresses and subnets the user asked for, and
 * the last backup of each keypad (by address), written by the command
 * line's backup and read by the keypad list.
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

    static Backup lastBackup(const QString &address);
    static void setLastBackup(const QString &address, const Backup &backup);
    /** Several at once: the settings file is written once. */
    static void setLastBackups(const QList<QPair<QString, Backup>> &backups);

private:
    FleetSettings() = delete;
};
