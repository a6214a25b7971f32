// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetsettings.h"
#include "keypadlistdock.h"
#include "keypadlistmodel.h"

#include "keypadtestbed.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

class tst_KeypadListDock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void columns();
    void refreshFindsKeypadsByBroadcast();
    void scanningASubnetFindsTheRoutedKeypad();
    void addedAddressIsRememberedAndAsked();
    void addressThatIsNoAddressIsRefused();
    void keypadThatStopsAnsweringStaysListed();
    void choosingARowEmitsTheKeypad();
    void lastBackupColumn();

private:
    static QString cell(const KeypadListModel *model, int row, int column)
    {
        return model->index(row, column).data().toString();
    }
    bool waitForScan(KeypadListDock *dock);

    std::unique_ptr<KeypadTestBed> m_bed;
    int m_hall = -1;
    int m_stage = -1;
};

void tst_KeypadListDock::initTestCase()
{
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_keypadlistdock"));
    KeypadTestBed::SimulatorOptions hall;
    hall.name = QStringLiteral("Hall");
    hall.heartbeatMs = 0;
    KeypadTestBed::SimulatorOptions stage;
    stage.name = QStringLiteral("Stage");
    stage.heartbeatMs = 0;
    stage.routed = true;
    stage.firmware = QStringLiteral("2.0.1");
    m_hall = m_bed->startSimulator(hall);
    QVERIFY2(m_hall >= 0, qPrintable(m_bed->errorString()));
    m_stage = m_bed->startSimulator(stage);
    QVERIFY2(m_stage >= 0, qPrintable(m_bed->errorString()));
}

void tst_KeypadListDock::init()
{
    FleetSettings::setAddresses({});
    FleetSettings::setSubnets({});
    QSettings().remove(QStringLiteral("keypads/backups"));
    QSettings().remove(QStringLiteral("keypads/lastBackup"));
    m_bed->command(m_hall, QStringLiteral("fault clear"));
}

bool tst_KeypadListDock::waitForScan(KeypadListDock *dock)
{
    auto *refresh = dock->findChild<QPushButton *>(QStringLiteral("refreshButton"));
    QTest::qWait(1);
    for (int i = 0; i < 500 && !refresh->isEnabled(); ++i)
        QTest::qWait(20);
    return refresh->isEnabled();
}

void tst_KeypadListDock::columns()
{
    KeypadListDock dock(nullptr);
    QAbstractItemModelTester tester(dock.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QStringList headers;
    for (int column = 0; column < dock.model()->columnCount(); ++column)
        headers << dock.model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{QStringLiteral("Name"), QStringLiteral("Address"), QStringLiteral("MAC"),
                                   QStringLiteral("Firmware"), QStringLiteral("Universe"), QStringLiteral("State"),
                                   QStringLiteral("Last backup")}));
    QCOMPARE(dock.windowTitle(), QStringLiteral("Keypads"));
    QCOMPARE(dock.objectName(), QStringLiteral("Keypads"));
}

void tst_KeypadListDock::refreshFindsKeypadsByBroadcast()
{
    KeypadListDock dock(nullptr);
    QAbstractItemModelTester tester(dock.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    dock.refresh();
    QVERIFY(waitForScan(&dock));
    const KeypadListModel *model = dock.model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(cell(model, 0, KeypadListModel::Name), QStringLiteral("Hall"));
    QCOMPARE(cell(model, 0, KeypadListModel::Address), QStringLiteral("192.168.77.10"));
    QCOMPARE(cell(model, 0, KeypadListModel::Mac), QStringLiteral("02:4c:4b:00:00:01"));
    QCOMPARE(cell(model, 0, KeypadListModel::Firmware), QStringLiteral("1.2.0"));
    QCOMPARE(cell(model, 0, KeypadListModel::Universe), QStringLiteral("0"));
    QCOMPARE(cell(model, 0, KeypadListModel::State), QStringLiteral("answering"));
    QCOMPARE(cell(model, 0, KeypadListModel::LastBackup), QStringLiteral("never"));
    QCOMPARE(dock.findChild<QLabel *>(QStringLiteral("statusLabel"))->text(), QStringLiteral("1 keypad(s) answering"));
}

void tst_KeypadListDock::scanningASubnetFindsTheRoutedKeypad()
{
    KeypadListDock dock(nullptr);
    QVERIFY(dock.addSubnet(QStringLiteral("192.168.88.0/24")));
    QVERIFY(waitForScan(&dock));
    const KeypadListModel *model = dock.model();
    const int row = model->rowOf(QStringLiteral("192.168.88.11"));
    QVERIFY(row >= 0);
    QCOMPARE(cell(model, row, KeypadListModel::Name), QStringLiteral("Stage"));
    QCOMPARE(cell(model, row, KeypadListModel::Firmware), QStringLiteral("2.0.1"));
    QCOMPARE(FleetSettings::subnets(), QStringList{QStringLiteral("192.168.88.0/24")});

    // The subnet is asked again at every refresh, also after a restart.
    KeypadListDock later(nullptr);
    later.refresh();
    QVERIFY(waitForScan(&later));
    QCOMPARE(later.model()->rowCount(), 2);
    QCOMPARE(cell(later.model(), 1, KeypadListModel::State), QStringLiteral("answering"));
}

void tst_KeypadListDock::addedAddressIsRememberedAndAsked()
{
    {
        KeypadListDock dock(nullptr);
        QVERIFY(dock.addAddress(QStringLiteral("192.168.88.11")));
        QVERIFY(waitForScan(&dock));
        QCOMPARE(cell(dock.model(), dock.model()->rowOf(QStringLiteral("192.168.88.11")), KeypadListModel::State),
                 QStringLiteral("answering"));
    }
    QCOMPARE(FleetSettings::addresses(), QStringList{QStringLiteral("192.168.88.11")});
    // Listed at once after a restart, before anything answered.
    KeypadListDock dock(nullptr);
    QCOMPARE(dock.model()->rowCount(), 1);
    QCOMPARE(cell(dock.model(), 0, KeypadListModel::Address), QStringLiteral("192.168.88.11"));
    QCOMPARE(cell(dock.model(), 0, KeypadListModel::State), QStringLiteral("not answering"));
}

void tst_KeypadListDock::addressThatIsNoAddressIsRefused()
{
    KeypadListDock dock(nullptr);
    QVERIFY(!dock.addAddress(QStringLiteral("hall")));
    QVERIFY(!dock.addAddress(QStringLiteral("192.168.88.0/24")));
    QVERIFY(!dock.addSubnet(QStringLiteral("192.168.88/24")));
    QCOMPARE(dock.model()->rowCount(), 0);
    QVERIFY(FleetSettings::addresses().isEmpty());
    QVERIFY(FleetSettings::subnets().isEmpty());
}

void tst_KeypadListDock::keypadThatStopsAnsweringStaysListed()
{
    KeypadListDock dock(nullptr);
    QVERIFY(dock.addAddress(QStringLiteral("192.168.88.11")));
    QVERIFY(waitForScan(&dock));
    QCOMPARE(dock.model()->rowCount(), 2);
    KeypadTestBed::SimulatorOptions gone;
    gone.name = QStringLiteral("Gone");
    gone.heartbeatMs = 0;
    gone.address = QStringLiteral("192.168.77.30/24");
    const int id = m_bed->startSimulator(gone);
    QVERIFY2(id >= 0, qPrintable(m_bed->errorString()));
    dock.refresh();
    QVERIFY(waitForScan(&dock));
    QCOMPARE(cell(dock.model(), dock.model()->rowOf(QStringLiteral("192.168.77.30")), KeypadListModel::State),
             QStringLiteral("answering"));
    m_bed->stopSimulator(id);
    dock.refresh();
    QVERIFY(waitForScan(&dock));
    const int row = dock.model()->rowOf(QStringLiteral("192.168.77.30"));
    QVERIFY(row >= 0);
    QCOMPARE(cell(dock.model(), row, KeypadListModel::Name), QStringLiteral("Gone"));
    QCOMPARE(cell(dock.model(), row, KeypadListModel::State), QStringLiteral("not answering"));
}

void tst_KeypadListDock::choosingARowEmitsTheKeypad()
{
    KeypadListDock dock(nullptr);
    QVERIFY(dock.addSubnet(QStringLiteral("192.168.88.0/24")));
    QVERIFY(waitForScan(&dock));
    dock.refresh();
    QVERIFY(waitForScan(&dock));
    dock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dock));
    QSignalSpy chosen(&dock, &KeypadListDock::keypadChosen);
    auto *view = dock.findChild<QTableView *>(QStringLiteral("keypadTable"));
    const int hall = dock.model()->rowOf(QStringLiteral("192.168.77.10"));
    const int stage = dock.model()->rowOf(QStringLiteral("192.168.88.11"));
    QVERIFY(hall >= 0 && stage >= 0);
    const QRect cellRect = view->visualRect(dock.model()->index(stage, KeypadListModel::Name));
    // A double click is a press and a release, then the second press.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cellRect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cellRect.center());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).value<KeypadInfo>().address, QStringLiteral("192.168.88.11"));
    QCOMPARE(chosen.at(0).at(1).toBool(), true);
    view->setCurrentIndex(dock.model()->index(hall, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1).at(0).value<KeypadInfo>().name, QStringLiteral("Hall"));
    QCOMPARE(chosen.at(1).at(1).toBool(), false);
}

void tst_KeypadListDock::lastBackupColumn()
{
    KeypadListDock dock(nullptr);
    dock.refresh();
    QVERIFY(waitForScan(&dock));
    const QDateTime when(QDate(2026, 12, 8), QTime(19, 30));
    QCOMPARE(dock.model()->keypadAt(0).address, QStringLiteral("192.168.77.10"));
    FleetSettings::setLastBackup(dock.model()->keypadAt(0), {when, QStringLiteral("/backups/Hall_192.168.77.10_2026-12-08-1930.xml")});
    dock.model()->refreshBackups();
    const QModelIndex index = dock.model()->index(0, KeypadListModel::LastBackup);
    QCOMPARE(index.data().toString(), QStringLiteral("2026-12-08 19:30, Hall_192.168.77.10_2026-12-08-1930.xml"));
    QCOMPARE(index.data(Qt::ToolTipRole).toString(), QStringLiteral("/backups/Hall_192.168.77.10_2026-12-08-1930.xml"));
    // An address that never answered has no MAC, so no backup to show.
    dock.model()->addAddress(QStringLiteral("192.168.88.99"));
    const int silent = dock.model()->rowOf(QStringLiteral("192.168.88.99"));
    QVERIFY(silent >= 0);
    QCOMPARE(dock.model()->index(silent, KeypadListModel::LastBackup).data(), QVariant());
}

QTEST_MAIN(tst_KeypadListDock)
#include "tst_keypadlistdock.moc"
