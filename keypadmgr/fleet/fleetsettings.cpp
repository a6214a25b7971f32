// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetsettings.h"

#include <QSettings>

namespace {

const char addressesKey[] = "keypads/addresses";
const char subnetsKey[] = "keypads/subnets";

QString backupKey(const QString &address)
{
    return QLatin1String("keypads/backups/") + address;
}

} // namespace

QStringList FleetSettings::addresses()
{
    return QSettings().value(QLatin1String(addressesKey)).toStringList();
}

void FleetSettings::setAddresses(const QStringList &addresses)
{
    QSettings().setValue(QLatin1String(addressesKey), addresses);
}

QStringList FleetSettings::subnets()
{
    return QSettings().value(QLatin1String(subnetsKey)).toStringList();
}

void FleetSettings::setSubnets(const QStringList &subnets)
{
    QSettings().setValue(QLatin1String(subnetsKey), subnets);
}

FleetSettings::Backup FleetSettings::lastBackup(const QString &address)
{
    const QStringList value = QSettings().value(backupKey(address)).toStringList();
    Backup backup;
    if (value.size() == 2) {
        backup.time = QDateTime::fromString(value.at(0), Qt::ISODate);
        backup.file = value.at(1);
    }
    return backup;
}

void FleetSettings::setLastBackup(const QString &address, const Backup &backup)
{
    setLastBackups({qMakePair(address, backup)});
}

void FleetSettings::setLastBackups(const QList<QPair<QString, Backup>> &backups)
{
    QSettings settings;
    for (const auto &backup : backups)
        settings.setValue(backupKey(backup.first), QStringList{backup.second.time.toString(Qt::ISODate), backup.second.file});
}
