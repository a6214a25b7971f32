// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetsettings.h"

#include "fleetlogging.h"

#include <QSettings>

namespace {

const char addressesKey[] = "keypads/addresses";
const char subnetsKey[] = "keypads/subnets";

QString backupKey(const QByteArray &mac)
{
    return QLatin1String("keypads/lastBackup/") + QString::fromLatin1(mac.toHex());
}

// Where versions before the MAC keys kept a keypad's last backup.
QString addressBackupKey(const QString &address)
{
    return QLatin1String("keypads/backups/") + address;
}

FleetSettings::Backup toBackup(const QVariant &value)
{
    const QStringList fields = value.toStringList();
    FleetSettings::Backup backup;
    if (fields.size() == 2) {
        backup.time = QDateTime::fromString(fields.at(0), Qt::ISODate);
        backup.file = fields.at(1);
    }
    return backup;
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

QList<QHostAddress> FleetSettings::rememberedTargets()
{
    QList<QHostAddress> targets;
    const QStringList remembered = subnets() + addresses();
    for (const QString &entry : remembered) {
        QString error;
        if (!KeypadScanner::expandSubnet(entry, &targets, &error))
            qCWarning(lcFleet) << "remembered keypad entry left out:" << error;
    }
    return targets;
}

FleetSettings::Backup FleetSettings::lastBackup(const KeypadInfo &keypad)
{
    if (keypad.mac.isEmpty())
        return Backup();
    QSettings settings;
    const QString key = backupKey(keypad.mac);
    // An older version's entry for the address goes to the first keypad
    // seen there (unless it has one of its own) and is gone afterwards.
    const QString oldKey = addressBackupKey(keypad.address);
    if (!keypad.address.isEmpty() && settings.contains(oldKey)) {
        if (!settings.contains(key))
            settings.setValue(key, settings.value(oldKey));
        settings.remove(oldKey);
    }
    return toBackup(settings.value(key));
}

void FleetSettings::setLastBackup(const KeypadInfo &keypad, const Backup &backup)
{
    setLastBackups({qMakePair(keypad, backup)});
}

void FleetSettings::setLastBackups(const QList<QPair<KeypadInfo, Backup>> &backups)
{
    QSettings settings;
    for (const auto &backup : backups) {
        if (backup.first.mac.isEmpty())
            continue;
        settings.setValue(backupKey(backup.first.mac),
                          QStringList{backup.second.time.toString(Qt::ISODate), backup.second.file});
        // An older entry for the address would otherwise pass to whichever
        // keypad comes there next.
        settings.remove(addressBackupKey(backup.first.address));
    }
}
