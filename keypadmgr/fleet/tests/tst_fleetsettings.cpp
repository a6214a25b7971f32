// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetsettings.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTest>

namespace {

KeypadInfo keypad(const char *macHex, const char *address)
{
    KeypadInfo info;
    info.mac = QByteArray::fromHex(macHex);
    info.address = QLatin1String(address);
    return info;
}

const FleetSettings::Backup hallBackup{QDateTime(QDate(2026, 12, 8), QTime(19, 30)),
                                       QStringLiteral("/backups/Hall_10.2.0.7_2026-12-08-1930.xml")};

// How versions before the MAC keys wrote a last backup.
void writeOlderEntry(const QString &address, const FleetSettings::Backup &backup)
{
    QSettings().setValue(QLatin1String("keypads/backups/") + address,
                         QStringList{backup.time.toString(Qt::ISODate), backup.file});
}

} // namespace

class tst_FleetSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void lastBackupGoesWithTheKeypad_data();
    void lastBackupGoesWithTheKeypad();
    void olderAddressEntryIsTakenOverOnce();
    void olderAddressEntryGivesWayToTheKeypadsOwn();
    void newBackupDropsTheOlderAddressEntry();
    void rememberedTargets();
};

void tst_FleetSettings::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_fleetsettings"));
}

void tst_FleetSettings::init()
{
    QSettings().remove(QStringLiteral("keypads"));
}

void tst_FleetSettings::lastBackupGoesWithTheKeypad_data()
{
    QTest::addColumn<KeypadInfo>("asked");
    QTest::addColumn<bool>("found");
    QTest::newRow("same keypad, same address") << keypad("024c4b000001", "10.2.0.7") << true;
    QTest::newRow("same keypad, moved") << keypad("024c4b000001", "10.2.0.99") << true;
    QTest::newRow("replacement at the old address") << keypad("024c4b000002", "10.2.0.7") << false;
    QTest::newRow("address that never answered") << keypad("", "10.2.0.7") << false;
}

void tst_FleetSettings::lastBackupGoesWithTheKeypad()
{
    QFETCH(KeypadInfo, asked);
    QFETCH(bool, found);
    FleetSettings::setLastBackup(keypad("024c4b000001", "10.2.0.7"), hallBackup);
    const FleetSettings::Backup backup = FleetSettings::lastBackup(asked);
    QCOMPARE(backup.time.isValid(), found);
    QCOMPARE(backup.file, found ? hallBackup.file : QString());
    if (found)
        QCOMPARE(backup.time, hallBackup.time);
}

void tst_FleetSettings::olderAddressEntryIsTakenOverOnce()
{
    writeOlderEntry(QStringLiteral("10.2.0.7"), hallBackup);
    // The first keypad seen at the address takes it over ...
    QCOMPARE(FleetSettings::lastBackup(keypad("024c4b000001", "10.2.0.7")).file, hallBackup.file);
    QVERIFY(!QSettings().contains(QStringLiteral("keypads/backups/10.2.0.7")));
    // ... keeps it when it moves, and a later keypad there does not get it.
    QCOMPARE(FleetSettings::lastBackup(keypad("024c4b000001", "10.2.0.8")).file, hallBackup.file);
    QVERIFY(!FleetSettings::lastBackup(keypad("024c4b000002", "10.2.0.7")).time.isValid());
}

void tst_FleetSettings::olderAddressEntryGivesWayToTheKeypadsOwn()
{
    const FleetSettings::Backup newer{QDateTime(QDate(2026, 12, 9), QTime(8, 0)), QStringLiteral("/backups/newer.xml")};
    FleetSettings::setLastBackup(keypad("024c4b000001", "10.2.0.8"), newer);
    writeOlderEntry(QStringLiteral("10.2.0.7"), hallBackup);
    QCOMPARE(FleetSettings::lastBackup(keypad("024c4b000001", "10.2.0.7")).file, newer.file);
    QVERIFY(!QSettings().contains(QStringLiteral("keypads/backups/10.2.0.7")));
}

void tst_FleetSettings::newBackupDropsTheOlderAddressEntry()
{
    writeOlderEntry(QStringLiteral("10.2.0.7"), hallBackup);
    const FleetSettings::Backup newer{QDateTime(QDate(2026, 12, 9), QTime(8, 0)), QStringLiteral("/backups/newer.xml")};
    FleetSettings::setLastBackups({qMakePair(keypad("024c4b000001", "10.2.0.7"), newer),
                                   qMakePair(keypad("", "10.2.0.9"), newer)});
    QVERIFY(!QSettings().contains(QStringLiteral("keypads/backups/10.2.0.7")));
    QCOMPARE(FleetSettings::lastBackup(keypad("024c4b000001", "10.2.0.7")).file, newer.file);
    // Without a MAC nothing is kept: the backup could not be told apart
    // from the next keypad's at that address.
    QCOMPARE(QSettings().allKeys().filter(QStringLiteral("lastBackup")).size(), 1);
}

void tst_FleetSettings::rememberedTargets()
{
    FleetSettings::setSubnets({QStringLiteral("10.2.0.0/30"), QStringLiteral("10.3/24")});
    FleetSettings::setAddresses({QStringLiteral("10.4.0.9")});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("remembered keypad entry left out: .*10\\.3/24")));
    QCOMPARE(FleetSettings::rememberedTargets(),
             (QList<QHostAddress>{QHostAddress(QStringLiteral("10.2.0.1")), QHostAddress(QStringLiteral("10.2.0.2")),
                                  QHostAddress(QStringLiteral("10.4.0.9"))}));
}

QTEST_GUILESS_MAIN(tst_FleetSettings)
#include "tst_fleetsettings.moc"
