// SPDX-License-Identifier: GPL-3.0-or-later
#include "discoverer.h"
#include "mspchooser.h"
#include "networkprefs.h"

#include "keypadtestbed.h"

#include "dravon.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <memory>

class tst_Discovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void tenNetBroadcast_data();
    void tenNetBroadcast();
    void versionText_data();
    void versionText();
    void interfaceTable();
    void defaultRadioTakesTheOnlyInterface();
    void selectingRowUnderDefaultRadioStoresButEmitsDefault();
    void vanishedInterfaceIsNotReplaced();
    void twoKeypadsListedByAddressText();
    void runEmptiesPreviousList();
    void tenNetUsesSixteenBitBroadcast();
    void chooser();

private:
    NetworkPrefs *prefs();
    bool selectRow(NetworkPrefs *prefs, const QString &address);

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<NetworkPrefs> m_prefs;
};

void tst_Discovery::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_discovery"));
    QSettings().clear();
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));

    // Two keypads whose address texts sort against their numeric order.
    KeypadTestBed::SimulatorOptions nine;
    nine.name = QStringLiteral("Nine");
    nine.address = QStringLiteral("192.168.77.9/24");
    KeypadTestBed::SimulatorOptions ten;
    ten.name = QStringLiteral("Ten");
    ten.address = QStringLiteral("192.168.77.10/24");
    QVERIFY2(m_bed->startSimulator(nine) == 0, qPrintable(m_bed->errorString()));
    QVERIFY2(m_bed->startSimulator(ten) == 1, qPrintable(m_bed->errorString()));
}

NetworkPrefs *tst_Discovery::prefs()
{
    if (!m_prefs)
        m_prefs = std::make_unique<NetworkPrefs>(nullptr, nullptr, true);
    return m_prefs.get();
}

bool tst_Discovery::selectRow(NetworkPrefs *prefs, const QString &address)
{
    auto *table = prefs->findChild<QTableWidget *>(QStringLiteral("mNetworkInterfaceTable"));
    for (int row = 0; table && row < table->rowCount(); ++row) {
        if (table->item(row, 1)->text().startsWith(address + QLatin1Char('/'))) {
            table->selectRow(row);
            return true;
        }
    }
    return false;
}

void tst_Discovery::tenNetBroadcast_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("broadcast");
    QTest::newRow("10.1.2.3") << "10.1.2.3" << "10.1.255.255";
    QTest::newRow("10.77.0.1") << "10.77.0.1" << "10.77.255.255";
    QTest::newRow("192.168.1.10") << "192.168.1.10" << "0.0.0.0";
    QTest::newRow("11.0.0.1") << "11.0.0.1" << "0.0.0.0";
}

void tst_Discovery::tenNetBroadcast()
{
    QFETCH(QString, address);
    QFETCH(QString, broadcast);
    const quint32 d = Discoverer::tenNetBroadcast(QHostAddress(address).toIPv4Address());
    QCOMPARE(QHostAddress(d).toString(), broadcast);
}

void tst_Discovery::versionText_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("listed");
    QTest::newRow("keypad") << QByteArray("Firmware:1.2.0\nBoot:3\nPart:XKP-204417-00\nRev:4\n") << true;
    QTest::newRow("padded") << QByteArray("  \nF:1\nB:2\nP:XKP-204417-00\nR:4  ") << true;
    QTest::newRow("three lines") << QByteArray("Firmware: 1.2.0\nBoot: 3\nPart: XKP-204417-00") << false;
    QTest::newRow("space after colon") << QByteArray("F: 1\nB: 2\nP: XKP-204417-00\nR: 4") << false;
    QTest::newRow("other device") << QByteArray("F:1\nB:2\nP:XPS-100000-00\nR:4") << false;
    QTest::newRow("empty") << QByteArray("") << false;
}

void tst_Discovery::versionText()
{
    QFETCH(QByteArray, version);
    QFETCH(bool, listed);
    Discoverer *discoverer = Discoverer::instance();
    const int before = discoverer->keypadCount();
    char mac[6] = {2, 0, 0, 0, 0, 7};
    char name[] = "Lobby";
    discoverer->handleSignalDiscoverResponse(mac, 0xC0A8010A, 1, 2, 3, version.data(), name);
    QCOMPARE(discoverer->keypadCount(), before + (listed ? 1 : 0));
    if (listed) {
        const DiscoveredKeypad &keypad = discoverer->keypads().last();
        QCOMPARE(keypad.name, QStringLiteral("Lobby"));
        QCOMPARE(keypad.address, QStringLiteral("192.168.1.10"));
        QCOMPARE(keypad.mac, QByteArray(mac, 6));
    }
}

void tst_Discovery::interfaceTable()
{
    auto *table = prefs()->findChild<QTableWidget *>(QStringLiteral("mNetworkInterfaceTable"));
    QVERIFY(table);
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->item(row, 0)->text() + QLatin1Char('|') + table->item(row, 1)->text() + QLatin1Char('|')
                + table->item(row, 2)->text();
    rows.sort();
    // Loopback and IPv6 never appear; both bed addresses do, with netmask
    // and broadcast.
    QCOMPARE(rows, (QStringList{QStringLiteral("kpbr0|10.77.0.1/255.0.0.0|10.255.255.255"),
                                QStringLiteral("kpbr0|192.168.77.1/255.255.255.0|192.168.77.255")}));
}

void tst_Discovery::defaultRadioTakesTheOnlyInterface()
{
    // Whatever the system calls its default configuration, the bed's
    // bridge is the only interface, so it is the default one.
    NetworkPrefs *p = prefs();
    p->findChild<QRadioButton *>(QStringLiteral("mDefaultNetworkInterfaceRadio"))->setChecked(true);
    const QString ip = p->chosenEntry().ip().toString();
    QVERIFY2(ip == QLatin1String("192.168.77.1") || ip == QLatin1String("10.77.0.1"), qPrintable(ip));
    QCOMPARE(p->chosenAddress(), ip);
}

void tst_Discovery::selectingRowUnderDefaultRadioStoresButEmitsDefault()
{
    NetworkPrefs *p = prefs();
    p->findChild<QRadioButton *>(QStringLiteral("mDefaultNetworkInterfaceRadio"))->setChecked(true);
    const QString defaultIp = p->chosenEntry().ip().toString();
    const QString other = defaultIp == QLatin1String("192.168.77.1") ? QStringLiteral("10.77.0.1")
                                                                     : QStringLiteral("192.168.77.1");
    QSignalSpy chosen(p, &NetworkPrefs::interfaceChosen);
    QVERIFY(selectRow(p, other));
    QVERIFY(!chosen.isEmpty());
    QCOMPARE(QSettings().value(QLatin1String(NetworkPrefs::ipKey)).toString(), other);
    QCOMPARE(QSettings().value(QLatin1String(NetworkPrefs::defaultKey)).toBool(), true);
    QCOMPARE(chosen.last().at(0).value<QNetworkAddressEntry>().ip().toString(), defaultIp);
}

void tst_Discovery::vanishedInterfaceIsNotReplaced()
{
    // Two more addresses on the bridge; the first one is chosen, then
    // removed, so the second moves into its row.
    const auto ipAddress = [](const char *verb, const char *address) {
        return QProcess::execute(QStringLiteral("ip"), {QStringLiteral("addr"), QLatin1String(verb), QLatin1String(address),
                                                        QStringLiteral("dev"), KeypadTestBed::bridgeName()});
    };
    QCOMPARE(ipAddress("add", "192.168.79.1/24"), 0);
    QCOMPARE(ipAddress("add", "192.168.80.1/24"), 0);
    NetworkPrefs *p = prefs();
    auto *refresh = p->findChild<QPushButton *>(QStringLiteral("refreshButton"));
    auto *missing = p->findChild<QLabel *>(QStringLiteral("missingInterfaceLabel"));
    auto *table = p->findChild<QTableWidget *>(QStringLiteral("mNetworkInterfaceTable"));
    refresh->click();
    p->findChild<QRadioButton *>(QStringLiteral("mSelectedNetworkInterfaceRadio"))->setChecked(true);
    QVERIFY(selectRow(p, QStringLiteral("192.168.79.1")));
    QCOMPARE(p->chosenEntry().ip().toString(), QStringLiteral("192.168.79.1"));
    QVERIFY(missing->isHidden());

    QSignalSpy chosen(p, &NetworkPrefs::interfaceChosen);
    QCOMPARE(ipAddress("del", "192.168.79.1/24"), 0);
    refresh->click();
    // No row stands in for it: the default interface is used, and the tab says why.
    QVERIFY(table->selectedItems().isEmpty());
    QVERIFY(p->chosenEntry().ip().toString() != QLatin1String("192.168.80.1"));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.last().at(0).value<QNetworkAddressEntry>().ip(), p->chosenEntry().ip());
    QCOMPARE(p->chosenAddress(), p->chosenEntry().ip().toString());
    QVERIFY(!missing->isHidden());
    QCOMPARE(missing->text(), QStringLiteral("The chosen interface (192.168.79.1) is gone; the default interface is "
                                             "used until it is back."));
    // The choice is kept for when it comes back.
    QCOMPARE(QSettings().value(QLatin1String(NetworkPrefs::ipKey)).toString(), QStringLiteral("192.168.79.1"));

    QCOMPARE(ipAddress("add", "192.168.79.1/24"), 0);
    refresh->click();
    QCOMPARE(p->chosenEntry().ip().toString(), QStringLiteral("192.168.79.1"));
    QCOMPARE(chosen.last().at(0).value<QNetworkAddressEntry>().ip().toString(), QStringLiteral("192.168.79.1"));
    QVERIFY(missing->isHidden());

    QCOMPARE(ipAddress("del", "192.168.79.1/24"), 0);
    QCOMPARE(ipAddress("del", "192.168.80.1/24"), 0);
    refresh->click();
}

void tst_Discovery::twoKeypadsListedByAddressText()
{
    NetworkPrefs *p = prefs();
    p->findChild<QRadioButton *>(QStringLiteral("mSelectedNetworkInterfaceRadio"))->setChecked(true);
    QVERIFY(selectRow(p, QStringLiteral("192.168.77.1")));
    QCOMPARE(p->chosenAddress(), QStringLiteral("192.168.77.1"));

    Discoverer *discoverer = Discoverer::instance();
    discoverer->setNetworkPrefs(p);
    QSignalSpy discovering(discoverer, &Discoverer::discovering);
    QSignalSpy limit(discoverer, &Discoverer::reachedDiscoverTimeLimit);
    const int timer = discoverer->discover(500);
    QCOMPARE(discovering.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(discoverer->keypadCount(), 2, 10000);
    QVERIFY(limit.wait(5000) || !limit.isEmpty());
    discoverer->killTimer(timer);
    QCOMPARE(discoverer->keypads().at(0).address, QStringLiteral("192.168.77.10"));
    QCOMPARE(discoverer->keypads().at(0).name, QStringLiteral("Ten"));
    QCOMPARE(discoverer->keypads().at(1).address, QStringLiteral("192.168.77.9"));
    QCOMPARE(discoverer->keypads().at(1).mac, m_bed->simulatorMac(0));
}

void tst_Discovery::runEmptiesPreviousList()
{
    Discoverer *discoverer = Discoverer::instance();
    QVERIFY(discoverer->keypadCount() > 0);
    m_bed->stopSimulator(0);
    m_bed->stopSimulator(1);
    QSignalSpy discovering(discoverer, &Discoverer::discovering);
    discoverer->discover();
    QCOMPARE(discovering.count(), 1);
    QCOMPARE(discoverer->keypadCount(), 0);
}

void tst_Discovery::tenNetUsesSixteenBitBroadcast()
{
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Ten net");
    options.address = QStringLiteral("10.77.0.20/8");
    const int keypad = m_bed->startSimulator(options);
    QVERIFY2(keypad >= 0, qPrintable(m_bed->errorString()));

    NetworkPrefs *p = prefs();
    p->findChild<QRadioButton *>(QStringLiteral("mSelectedNetworkInterfaceRadio"))->setChecked(true);
    QVERIFY(selectRow(p, QStringLiteral("10.77.0.1")));
    Discoverer *discoverer = Discoverer::instance();
    discoverer->setNetworkPrefs(p);
    discoverer->discover();
    QTRY_COMPARE_WITH_TIMEOUT(discoverer->keypadCount(), 1, 10000);
    QCOMPARE(discoverer->keypads().at(0).address, QStringLiteral("10.77.0.20"));
    QCOMPARE(discoverer->keypads().at(0).name, QStringLiteral("Ten net"));
}

void tst_Discovery::chooser()
{
    MSPChooser empty({});
    QCOMPARE(empty.selectedIndex(), -1);
    QCOMPARE(empty.windowTitle(), QStringLiteral("Choose a Lumetra Keypad"));

    MSPChooser two({QStringLiteral("Ten (192.168.77.10)"), QStringLiteral("Nine (192.168.77.9)")});
    QCOMPARE(two.selectedIndex(), 0);
    auto *combo = two.findChild<QComboBox *>(QStringLiteral("devicesComboBox"));
    QVERIFY(combo);
    QCOMPARE(combo->itemText(1), QStringLiteral("Nine (192.168.77.9)"));
    combo->setCurrentIndex(1);
    QCOMPARE(two.selectedIndex(), 1);
}

QTEST_MAIN(tst_Discovery)
#include "tst_discovery.moc"
