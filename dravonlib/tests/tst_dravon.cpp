// SPDX-License-Identifier: GPL-3.0-or-later
#include "dravon.h"
#include "dravonsocket.h"
#include "dravontestbed.h"

#include <QNetworkAddressEntry>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUdpSocket>

#include <functional>

using DravonAction = std::function<bool(Dravon &)>;
Q_DECLARE_METATYPE(DravonAction)

using DravonTestBed::Listener;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QString ipText(quint32 ip)
{
    return QHostAddress(ip).toString();
}

char testMac[] = { 0x00, 0x11, 0x22, 0x33, 0x44, 0x55 };
char newMac[] = { 0x66, 0x77, char(0x88), char(0x99), char(0xAA), char(0xBB) };
unsigned char threeSlots[] = { 0x0A, 0x14, 0x1E };
unsigned char portLevels[] = { 0xFF, 0x80 };

const char portOutSync[] = "04 01 DC 4A 01 00 09 01 00 00 00 00 00 00 00 00";
const char sentinel[] = "04 01 DC 4A 01 00 06 01 00 00 00 00 FF FF 00 00 00 00 00 00";
const QString sentinelSignal = QStringLiteral("variable ip=127.0.0.1 id=65535 value=0");

// Turns every reply signal into one line of text, copying what the
// pointers show while they are valid.
class Recorder : public QObject
{
public:
    explicit Recorder(Dravon *dravon)
    {
        connect(dravon, &Dravon::signalDiscoverResponse, this,
                [this](char *mac, uint ip, uint sn, ushort ver, uint uni, char *verstring,
                       char *idstring) {
                    lines << QStringLiteral("discover mac=%1 ip=%2 sn=%3 ver=%4 uni=%5 version='%6' id='%7'")
                                 .arg(QString::fromLatin1(QByteArray(mac, 6).toHex()), ipText(ip))
                                 .arg(sn).arg(ver).arg(uni)
                                 .arg(QString::fromLatin1(verstring), QString::fromLatin1(idstring));
                });
        connect(dravon, &Dravon::signalDiscoverEOResponse, this,
                [this](char *mac, ulong ip, ulong sn, ushort ver, ulong uni, char *verstring,
                       char *idstring) {
                    lines << QStringLiteral("discoverEO mac=%1 ip=%2 sn=%3 ver=%4 uni=%5 version='%6' id='%7'")
                                 .arg(QString::fromLatin1(QByteArray(mac, 6).toHex()), ipText(quint32(ip)))
                                 .arg(sn).arg(ver).arg(uni)
                                 .arg(QString::fromLatin1(verstring), QString::fromLatin1(idstring));
                });
        connect(dravon, &Dravon::signalDiscoverPortsResponse, this,
                [this](ulong ip, uchar count, unsigned char *numbers, unsigned char *types) {
                    lines << QStringLiteral("ports ip=%1 count=%2 numbers=%3 types=%4")
                                 .arg(ipText(quint32(ip))).arg(count)
                                 .arg(QString::fromLatin1(QByteArray(reinterpret_cast<char *>(numbers), count).toHex()),
                                      QString::fromLatin1(QByteArray(reinterpret_cast<char *>(types), count).toHex()));
                });
        connect(dravon, &Dravon::signalBlinkScanResponse, this, [this](ulong ip, ulong sn) {
            lines << QStringLiteral("blinkscan ip=%1 sn=%2").arg(ipText(quint32(ip))).arg(sn);
        });
        connect(dravon, &Dravon::signalBlinkScan2SNResponse, this,
                [this](ulong ip, uchar port, uchar count, ulong *values) {
                    lines << QStringLiteral("bs2sn ip=%1 port=%2 values=%3")
                                 .arg(ipText(quint32(ip))).arg(port).arg(join(values, count));
                });
        connect(dravon, &Dravon::signalBlinkScan2CAResponse, this,
                [this](ulong ip, uchar port, uchar count, ulong *values) {
                    lines << QStringLiteral("bs2ca ip=%1 port=%2 values=%3")
                                 .arg(ipText(quint32(ip))).arg(port).arg(join(values, count));
                });
        connect(dravon, &Dravon::signalBlinkScan2Response, this,
                [this](ulong ip, uchar count, uchar more, BlinkScan2_Reply_Entry *entries) {
                    QString line = QStringLiteral("bs2 ip=%1 entries=%2 more=%3")
                                       .arg(ipText(quint32(ip))).arg(count).arg(more);
                    for (int i = 0; i < count; ++i) {
                        line += QStringLiteral(" [port=%1 kind=%2 values=%3]")
                                    .arg(entries[i].port).arg(entries[i].kind)
                                    .arg(join(entries[i].values, entries[i].count));
                    }
                    lines << line;
                });
        connect(dravon, &Dravon::signalCAScanResponse, this,
                [this](ulong ip, uchar port1, uchar port2) {
                    lines << QStringLiteral("cascan ip=%1 port1=%2 port2=%3")
                                 .arg(ipText(quint32(ip))).arg(port1).arg(port2);
                });
        connect(dravon, &Dravon::signalBEBlinkScanResponse, this,
                [this](ulong ip, uchar port, unsigned char *sn) {
                    lines << QStringLiteral("bescan ip=%1 port=%2 sn=%3")
                                 .arg(ipText(quint32(ip))).arg(port)
                                 .arg(QString::fromLatin1(QByteArray(reinterpret_cast<char *>(sn), 6).toHex()));
                });
        connect(dravon, &Dravon::signalBlinkEEReadResponse, this,
                [this](ulong ip, ulong sn, uchar addr, uchar b) {
                    lines << QStringLiteral("eeread ip=%1 sn=%2 addr=%3 byte=%4")
                                 .arg(ipText(quint32(ip))).arg(sn).arg(addr).arg(b);
                });
        connect(dravon, &Dravon::signalPixelTokenByteReadResponse, this,
                [this](uint ip, uint sn, uchar pixel, uchar token, uchar byteVal) {
                    lines << QStringLiteral("pixeltoken ip=%1 sn=%2 pixel=%3 token=%4 byte=%5")
                                 .arg(ipText(ip)).arg(sn).arg(pixel).arg(token).arg(byteVal);
                });
        connect(dravon, &Dravon::signalTelemetryByteReadResponse, this,
                [this](uint ip, uint sn, ushort id, uchar byteVal) {
                    lines << QStringLiteral("telemetry ip=%1 sn=%2 id=%3 byte=%4")
                                 .arg(ipText(ip)).arg(sn).arg(id).arg(byteVal);
                });
        connect(dravon, &Dravon::signalExtPromTokenReadResponse, this,
                [this](uint ip, uint sn, ushort token, uchar byteVal) {
                    lines << QStringLiteral("extprom ip=%1 sn=%2 token=%3 byte=%4")
                                 .arg(ipText(ip)).arg(sn).arg(token).arg(byteVal);
                });
        connect(dravon, &Dravon::signalDeviceVariableReply, this,
                [this](ulong ip, ushort id, uint value) {
                    lines << QStringLiteral("variable ip=%1 id=%2 value=%3")
                                 .arg(ipText(quint32(ip))).arg(id).arg(value);
                });
        connect(dravon, &Dravon::signalGetArrayReply, this,
                [this](uint ip, uint id, QVector<quint32> &values) {
                    QStringList texts;
                    for (quint32 v : values)
                        texts << QString::number(v);
                    lines << QStringLiteral("array ip=%1 id=%2 values=%3")
                                 .arg(ipText(ip)).arg(id).arg(texts.join(QLatin1Char(',')));
                });
    }

    QStringList lines;

private:
    static QString join(const ulong *values, int count)
    {
        QStringList texts;
        for (int i = 0; i < count; ++i)
            texts << QString::number(values[i]);
        return texts.join(QLatin1Char(','));
    }
};

} // namespace

class tst_Dravon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void version();
    void constructorAnnouncesItself();
    void requests_data();
    void requests();
    void refusals_data();
    void refusals();
    void interfaceBinding();
    void setInterfaceRefused_data();
    void setInterfaceRefused();
    void resetSocket();
    void requestsFromOtherThreads();
    void replies_data();
    void replies();
    void burstOfHostileDatagrams();

private:
    void drainSync(int count);

    QNetworkAddressEntry m_entry;
    Listener m_loopback;
    Listener m_broadcast;
    QUdpSocket m_device;
};

void tst_Dravon::initTestCase()
{
    QString why;
    QVERIFY2(DravonTestBed::enterPrivateNetwork(&why), qPrintable(why));
    m_entry = DravonTestBed::addInterface(&why);
    QVERIFY2(!m_entry.ip().isNull(), qPrintable(why));
    QCOMPARE(m_entry.broadcast(), QHostAddress(QStringLiteral("192.168.1.255")));
    QVERIFY(m_loopback.listen(QHostAddress(QHostAddress::LocalHost)));
    QVERIFY(m_broadcast.listen(m_entry.broadcast()));
    QVERIFY(m_device.bind(QHostAddress(QHostAddress::LocalHost), 0));
}

void tst_Dravon::cleanupTestCase()
{
    DravonTestBed::removeInterface();
}

void tst_Dravon::drainSync(int count)
{
    for (int i = 0; i < count; ++i)
        QCOMPARE(m_broadcast.next().toHex(' '), hex(portOutSync).toHex(' '));
}

void tst_Dravon::version()
{
    QCOMPARE(Dravon::getVersion(), QStringLiteral("2.4.0"));
}

void tst_Dravon::constructorAnnouncesItself()
{
    // With a default route (into the veth pair) the limited broadcast that
    // the constructor sends becomes visible on this host.
    const QStringList route{ QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"),
                             QStringLiteral("dev"), QString::fromLatin1(DravonTestBed::interfaceName) };
    QString why;
    QVERIFY2(DravonTestBed::run(QStringLiteral("ip"), route, &why), qPrintable(why));
    Listener everywhere;
    const bool bound = everywhere.listen(QHostAddress(QHostAddress::AnyIPv4));

    Dravon dravon;
    QStringList received;
    if (bound) {
        for (int i = 0; i < 5; ++i)
            received << QString::fromLatin1(everywhere.next().toHex(' '));
        for (const QByteArray &extra : everywhere.collect())
            received << QString::fromLatin1(extra.toHex(' '));
    }
    DravonTestBed::run(QStringLiteral("ip"), QStringList(route).replaceInStrings(QStringLiteral("add"), QStringLiteral("del")));
    QVERIFY(bound);
    const QString sync = QString::fromLatin1(hex(portOutSync).toHex(' '));
    QCOMPARE(received, (QStringList{ sync, sync, sync, sync, sync }));
}

void tst_Dravon::requests_data()
{
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<DravonAction>("action");
    QTest::addColumn<QByteArray>("expected");

    // Requests to the interface broadcast (the entry of kpd0, 192.168.1.10/24).
    QTest::newRow("discover, subnet broadcast") << true
        << DravonAction([](Dravon &d) { return d.sendDiscover("255.255.255.255"); })
        << hex("04 01 DC 4A 01 00 01 00 00 00 00 00 C0 A8 01 FF");
    QTest::newRow("discover, host of the subnet") << true
        << DravonAction([](Dravon &d) { return d.sendDiscover("192.168.1.77"); })
        << hex("04 01 DC 4A 01 00 01 00 00 00 00 00 C0 A8 01 4D");
    QTest::newRow("discover, network part from the interface") << true
        << DravonAction([](Dravon &d) { return d.sendDiscover("10.0.0.77"); })
        << hex("04 01 DC 4A 01 00 01 00 00 00 00 00 C0 A8 01 4D");
    QTest::newRow("extended discover") << true
        << DravonAction([](Dravon &d) { return d.sendDiscoverEO("255.255.255.255"); })
        << hex("04 01 DC 4A 01 00 0C 00 00 00 00 00 C0 A8 01 FF");
    QTest::newRow("set IP") << true
        << DravonAction([](Dravon &d) { return d.sendSetIP(testMac, "192.168.1.50"); })
        << hex("04 01 DC 4A 01 00 03 00 00 00 00 00 B2 A7 C1 5E 00 11 22 33 44 55 00 00 C0 A8 01 32");
    QTest::newRow("set MAC") << true
        << DravonAction([](Dravon &d) { return d.sendSetMAC(testMac, 0x01020304); })
        << hex("04 01 DC 4A 01 00 04 00 00 00 00 00 0E F0 11 7A 00 11 22 33 00 11 22 33 44 55 00 00 04 03 02 01");
    QTest::newRow("set MAC, two-address form") << true
        << DravonAction([](Dravon &d) { return d.sendSetMAC2(testMac, newMac, 5); })
        << hex("04 01 DC 4A 01 00 09 00 00 00 00 00 0E F0 11 7A 00 11 22 33 44 55 00 00"
               " 66 77 88 99 AA BB 00 00 05 00 00 00 00 00 00 00");
    QTest::newRow("set MAC, IP and serial") << true
        << DravonAction([](Dravon &d) { return d.sendSetMACIPSN(testMac, newMac, "192.168.1.60", 0x00A1B2C3); })
        << hex("04 01 DC 4A 01 00 0E 00 00 00 00 00 0E F0 11 7A 00 11 22 33 44 55 00 00"
               " 66 77 88 99 AA BB 00 00 C0 A8 01 3C C3 B2 A1 00 00 00 00 00");
    QTest::newRow("port output, broadcast form") << true
        << DravonAction([](Dravon &d) { return d.sendPortOut(3, 2, 1, 2, 0, portLevels); })
        << hex("04 01 DC 4A 01 00 08 01 00 00 00 00 03 00 00 00 02 00 01 00 02 00 00 FF 80");
    QTest::newRow("DMX frame, broadcast form") << true
        << DravonAction([](Dravon &d) { return d.sendDMXFrame(0x00, 0x0000, threeSlots, 1); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 FF FF FF FF 00 0A");
    QTest::newRow("DMX timer sync") << true
        << DravonAction([](Dravon &d) { return d.sendDMXTimerSync(); })
        << hex("04 01 DC 4A 01 00 04 01 00 00 00 00 00 00 00 00");
    QTest::newRow("port-output sync") << true
        << DravonAction([](Dravon &d) { return d.sendPortOutSync(); })
        << hex(portOutSync);

    // Requests to a given address.
    QTest::newRow("discover straight to one device") << false
        << DravonAction([](Dravon &d) { return d.sendDiscoverTo("127.0.0.1"); })
        << hex("04 01 DC 4A 01 00 01 00 00 00 00 00 7F 00 00 01");
    QTest::newRow("set universe") << false
        << DravonAction([](Dravon &d) { return d.sendSetUniverse("127.0.0.1", 0x12345); })
        << hex("04 01 DC 4A 01 00 05 00 00 00 00 00 B2 A7 C1 5E 45 23 01 00");
    QTest::newRow("set ID, long text cut") << false
        << DravonAction([](Dravon &d) { return d.sendSetID("127.0.0.1", "Lobby keypad west"); })
        << hex("04 01 DC 4A 01 00 06 00 00 00 00 00 B2 A7 C1 5E"
               " 4C 6F 62 62 79 20 6B 65 79 70 61 64 20 77 65 00");
    QTest::newRow("discover ports") << false
        << DravonAction([](Dravon &d) { return d.sendDiscoverPorts("127.0.0.1"); })
        << hex("04 01 DC 4A 01 00 0A 00 7F 00 00 01 00 00 00 00");
    QTest::newRow("set value") << false
        << DravonAction([](Dravon &d) { return d.sendSetValue("127.0.0.1", 0x0102, 0xA0B0C0D0); })
        << hex("04 01 DC 4A 01 00 03 01 7F 00 00 01 02 01 00 00 D0 C0 B0 A0");
    QTest::newRow("get value") << false
        << DravonAction([](Dravon &d) { return d.getValue("127.0.0.1", 0x0A0B); })
        << hex("04 01 DC 4A 01 00 05 01 00 00 00 00 0B 0A 00 00");
    QTest::newRow("get array") << false
        << DravonAction([](Dravon &d) { return d.getArray("127.0.0.1", 0x0A0B); })
        << hex("04 01 DC 4A 01 00 0A 01 00 00 00 00 0B 0A 00 00");
    QTest::newRow("blink scan") << false
        << DravonAction([](Dravon &d) { return d.sendBlinkScan("127.0.0.1"); })
        << hex("04 01 DC 4A 01 00 01 02 7F 00 00 01 00 00 00 00");
    QTest::newRow("blink scan 2") << false
        << DravonAction([](Dravon &d) { return d.sendBlinkScan2("127.0.0.1"); })
        << hex("04 01 DC 4A 01 00 07 02 7F 00 00 01 00 00 00 00");
    QTest::newRow("blink EEPROM read") << false
        << DravonAction([](Dravon &d) { return d.sendBlinkEERead("127.0.0.1", 0xC0FFEE, 0x42); })
        << hex("04 01 DC 4A 01 00 03 02 7F 00 00 01 EE FF C0 00 42 00 00 00");
    QTest::newRow("byte read, telemetry") << false
        << DravonAction([](Dravon &d) { return d.getBlinkEERead("127.0.0.1", 7, 0x34, 0x12); })
        << hex("04 01 DC 4A 01 00 03 02 7F 00 00 01 07 00 00 00 34 12 00 00");
    QTest::newRow("extended PROM read") << false
        << DravonAction([](Dravon &d) { return d.getExtPromByte("127.0.0.1", 0x1234, 0xBEEF); })
        << hex("04 01 DC 4A 01 00 09 02 7F 00 00 01 34 12 00 00 EF BE 00 00");
    QTest::newRow("DMX frame") << false
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0x00, 0x0102, threeSlots, 3); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 02 01 FF FF FF FF 00 0A 14 1E");
    QTest::newRow("DMX frame, no slots") << false
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0xCC, 0, nullptr, 0); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 FF FF FF FF CC");
    QTest::newRow("DMX frame for a universe") << false
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 7UL, 0x00, 0, portLevels, 1); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 07 00 00 00 00 FF");
    QTest::newRow("DMX frame, levels only") << false
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", threeSlots, 2); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 FF FF FF FF 00 0A 14");
    QTest::newRow("BE refresh") << false
        << DravonAction([](Dravon &d) { return d.sendBERefresh("127.0.0.1", 3); })
        << hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 FF FF FF FF BE 03");
    QTest::newRow("port output to an address") << false
        << DravonAction([](Dravon &d) { return d.sendPortOut("127.0.0.1", 3, 2, 1, 2, 0, portLevels); })
        << hex("04 01 DC 4A 01 00 08 01 00 00 00 00 03 00 00 00 02 00 01 00 02 00 00 FF 80");
}

void tst_Dravon::requests()
{
    QFETCH(bool, broadcast);
    QFETCH(DravonAction, action);
    QFETCH(QByteArray, expected);

    Dravon dravon;
    if (broadcast) {
        QVERIFY(dravon.setInterface(m_entry));
        drainSync(5);
    }
    QVERIFY(action(dravon));

    Listener &target = broadcast ? m_broadcast : m_loopback;
    Listener &other = broadcast ? m_loopback : m_broadcast;
    QCOMPARE(target.next().toHex(' '), expected.toHex(' '));
    QVERIFY(target.collect().isEmpty());
    QVERIFY(other.collect(0).isEmpty());
}

void tst_Dravon::refusals_data()
{
    QTest::addColumn<bool>("withInterface");
    QTest::addColumn<DravonAction>("action");

    static unsigned char tooMany[Dravon::maxSlots + 1] = {};

    QTest::newRow("discover before any interface") << false
        << DravonAction([](Dravon &d) { return d.sendDiscover("255.255.255.255"); });
    QTest::newRow("extended discover before any interface") << false
        << DravonAction([](Dravon &d) { return d.sendDiscoverEO("255.255.255.255"); });
    QTest::newRow("discover, text that is no address") << true
        << DravonAction([](Dravon &d) { return d.sendDiscover("lobby"); });
    QTest::newRow("discover, null text") << true
        << DravonAction([](Dravon &d) { return d.sendDiscover(nullptr); });
    QTest::newRow("discover straight to a text that is no address") << true
        << DravonAction([](Dravon &d) { return d.sendDiscoverTo("lobby"); });
    QTest::newRow("set IP, address out of range") << true
        << DravonAction([](Dravon &d) { return d.sendSetIP(testMac, "192.168.1.300"); });
    QTest::newRow("set IP, null MAC") << true
        << DravonAction([](Dravon &d) { return d.sendSetIP(nullptr, "192.168.1.50"); });
    QTest::newRow("set MAC, IP and serial, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendSetMACIPSN(testMac, newMac, "x", 1); });
    QTest::newRow("set universe, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendSetUniverse("keypad", 1); });
    QTest::newRow("set ID, null text") << true
        << DravonAction([](Dravon &d) { return d.sendSetID("127.0.0.1", nullptr); });
    QTest::newRow("discover ports, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendDiscoverPorts("127.0.0.256"); });
    QTest::newRow("set value, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendSetValue("", 1, 1); });
    QTest::newRow("get array, bad address") << true
        << DravonAction([](Dravon &d) { return d.getArray("local host", 1); });
    QTest::newRow("blink scan, empty text") << true
        << DravonAction([](Dravon &d) { return d.sendBlinkScan(""); });
    QTest::newRow("blink scan 2, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendBlinkScan2("1.2.3.4.5"); });
    QTest::newRow("blink EEPROM read, bad address") << true
        << DravonAction([](Dravon &d) { return d.sendBlinkEERead("nowhere", 1, 1); });
    QTest::newRow("get value, unwritable address") << true
        << DravonAction([](Dravon &d) { return d.getValue("nowhere", 1); });
    QTest::newRow("byte read, serial beyond 32 bits") << true
        << DravonAction([](Dravon &d) { return d.getBlinkEERead("127.0.0.1", 0x100000000UL, 1, 0); });
    QTest::newRow("DMX frame, negative length") << true
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0, 0, threeSlots, -1); });
    QTest::newRow("DMX frame, 513 slots") << true
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0, 0, tooMany, Dravon::maxSlots + 1); });
    QTest::newRow("DMX frame, null data") << true
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0, 0, nullptr, 3); });
    QTest::newRow("DMX frame, universe beyond 32 bits") << true
        << DravonAction([](Dravon &d) { return d.sendDMXFrame("127.0.0.1", 0x100000000UL, 0, 0, threeSlots, 1); });
    QTest::newRow("port output, 513 slots") << true
        << DravonAction([](Dravon &d) { return d.sendPortOut("127.0.0.1", 1, 1, 0, Dravon::maxSlots + 1, 0, tooMany); });
    QTest::newRow("port output, flags beyond 16 bits") << true
        << DravonAction([](Dravon &d) { return d.sendPortOut("127.0.0.1", 1, 1, 0x10000, 2, 0, portLevels); });
    QTest::newRow("port output, start code beyond 8 bits") << true
        << DravonAction([](Dravon &d) { return d.sendPortOut("127.0.0.1", 1, 1, 0, 2, 0x100, portLevels); });
}

void tst_Dravon::refusals()
{
    QFETCH(bool, withInterface);
    QFETCH(DravonAction, action);

    Dravon dravon;
    if (withInterface) {
        QVERIFY(dravon.setInterface(m_entry));
        drainSync(5);
    }
    QVERIFY(!action(dravon));
    QVERIFY(m_loopback.collect().isEmpty());
    QVERIFY(m_broadcast.collect(0).isEmpty());
}

void tst_Dravon::interfaceBinding()
{
    Dravon dravon;
    QHostAddress ip;
    QHostAddress broadcast;
    uint netmask = 1;
    dravon.getInterface(ip, netmask, broadcast);
    QCOMPARE(ip, QHostAddress(QHostAddress::AnyIPv4));
    QCOMPARE(netmask, 0u);
    QCOMPARE(broadcast, QHostAddress(QHostAddress::Broadcast));

    // Binding announces itself with five port-output syncs on the subnet.
    QVERIFY(dravon.setInterface(m_entry));
    drainSync(5);
    QVERIFY(m_broadcast.collect().isEmpty());
    dravon.getInterface(ip, netmask, broadcast);
    QCOMPARE(ip, QHostAddress(QStringLiteral("192.168.1.10")));
    QCOMPARE(netmask, 0xFFFFFF00u);
    QCOMPARE(broadcast, QHostAddress(QStringLiteral("192.168.1.255")));
    QCOMPARE(dravon.socket()->localAddress(), ip);

    dravon.resetSocket();
    dravon.getInterface(ip, netmask, broadcast);
    QCOMPARE(ip, QHostAddress(QHostAddress::AnyIPv4));
    QCOMPARE(netmask, 0u);
    QCOMPARE(broadcast, QHostAddress(QHostAddress::Broadcast));
    QVERIFY(!dravon.sendDiscover("255.255.255.255"));
}

void tst_Dravon::setInterfaceRefused_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("prefix");
    QTest::newRow("address of no interface") << QStringLiteral("192.168.2.10") << 24;
    QTest::newRow("IPv6") << QStringLiteral("fd00::10") << 64;
}

void tst_Dravon::setInterfaceRefused()
{
    QFETCH(QString, address);
    QFETCH(int, prefix);

    Dravon dravon;
    QVERIFY(dravon.setInterface(m_entry));
    drainSync(5);

    QNetworkAddressEntry foreign;
    foreign.setIp(QHostAddress(address));
    foreign.setPrefixLength(prefix);
    QVERIFY(!dravon.setInterface(foreign));
    QVERIFY(m_broadcast.collect().isEmpty());

    QHostAddress ip;
    QHostAddress broadcast;
    uint netmask = 0;
    dravon.getInterface(ip, netmask, broadcast);
    QCOMPARE(ip, QHostAddress(QStringLiteral("192.168.1.10")));
    QCOMPARE(netmask, 0xFFFFFF00u);
    QCOMPARE(broadcast, QHostAddress(QStringLiteral("192.168.1.255")));
}

void tst_Dravon::resetSocket()
{
    Dravon dravon;
    Recorder recorder(&dravon);
    const quint16 oldPort = dravon.socket()->localPort();
    QVERIFY(oldPort != 0);

    dravon.resetSocket();
    const quint16 newPort = dravon.socket()->localPort();
    QVERIFY(newPort != 0);
    QVERIFY(newPort != oldPort);

    m_device.writeDatagram(hex(sentinel), QHostAddress(QHostAddress::LocalHost), oldPort);
    m_device.writeDatagram(hex(sentinel), QHostAddress(QHostAddress::LocalHost), newPort);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.lines, QStringList{ sentinelSignal }, 10000);
    QTest::qWait(100);
    QCOMPARE(recorder.lines, QStringList{ sentinelSignal });
}

void tst_Dravon::requestsFromOtherThreads()
{
    Dravon dravon;
    QVERIFY(dravon.setInterface(m_entry));
    drainSync(5);

    static const unsigned char levels[] = { 0xFF, 0x80 };
    std::unique_ptr<QThread> thread(QThread::create([&dravon] {
        Q_EMIT dravon.requestSyncPacket();
        Q_EMIT dravon.requestSendPortOut("127.0.0.1", 3, 2, 1, 2, 0, levels);
    }));
    thread->start();
    QVERIFY(thread->wait(10000));

    QCOMPARE(m_broadcast.next().toHex(' '), hex(portOutSync).toHex(' '));
    QCOMPARE(m_loopback.next().toHex(' '),
             hex("04 01 DC 4A 01 00 08 01 00 00 00 00 03 00 00 00 02 00 01 00 02 00 00 FF 80").toHex(' '));
}

void tst_Dravon::replies_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QStringList>("expected");

    const QByteArray discover = hex("04 01 DC 4A 01 00 02 00 00 00 00 00 C0 A8 01 14 00 1A 2B 3C 4D 5E"
                                    " 02 01 39 30 FF FF 07 00 01 00");
    const QString discovered = QStringLiteral(
        "discover mac=001a2b3c4d5e ip=192.168.1.20 sn=12345 ver=258 uni=65543 version='%1' id='%2'");

    QTest::newRow("discover") << discover + "1.2.3" + '\0' + "Lobby" + '\0'
                              << QStringList{ discovered.arg(QStringLiteral("1.2.3"), QStringLiteral("Lobby")) };
    QTest::newRow("discover, empty version text") << discover + '\0' + "Lobby" + '\0'
                                                  << QStringList{ discovered.arg(QString(), QStringLiteral("Lobby")) };
    QTest::newRow("discover, no texts") << discover
                                        << QStringList{ discovered.arg(QString(), QString()) };
    QTest::newRow("discover, version text unterminated") << discover + "1.2.3"
                                                         << QStringList{ discovered.arg(QStringLiteral("1.2.3"), QString()) };
    QTest::newRow("discover, id text unterminated") << discover + "1.2" + '\0' + "Lob"
                                                    << QStringList{ discovered.arg(QStringLiteral("1.2"), QStringLiteral("Lob")) };
    QTest::newRow("discover, version text over 511")
        << discover + QByteArray(600, 'A') + '\0' + "X" + '\0'
        << QStringList{ discovered.arg(QString(511, QLatin1Char('A')), QStringLiteral("X")) };
    QTest::newRow("discover, long texts without NUL")
        << discover + QByteArray(3000, 'B')
        << QStringList{ discovered.arg(QString(511, QLatin1Char('B')), QString()) };
    QTest::newRow("discover, id text over 511")
        << discover + '\0' + QByteArray(512, 'C')
        << QStringList{ discovered.arg(QString(), QString(511, QLatin1Char('C'))) };
    QTest::newRow("discover, 31 bytes") << discover.left(31) << QStringList();
    QTest::newRow("discover, header only") << discover.left(12) << QStringList();
    QTest::newRow("extended discover")
        << hex("04 01 DC 4A 01 00 0D 00 00 00 00 00 0A 00 00 05 01 02 03 04 05 06 03 00 0A 00 00 00 FF FF FF FF")
               + "2.0" + '\0' + "Hall" + '\0'
        << QStringList{ QStringLiteral("discoverEO mac=010203040506 ip=10.0.0.5 sn=10 ver=3 uni=4294967295 version='2.0' id='Hall'") };
    QTest::newRow("extended discover, 20 bytes")
        << hex("04 01 DC 4A 01 00 0D 00 00 00 00 00 0A 00 00 05 01 02 03 04") << QStringList();

    QTest::newRow("discover ports")
        << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 02 00 00 00 01 05 00 00 00 00 00 00 02 06 00 00 00 00 00 00")
        << QStringList{ QStringLiteral("ports ip=192.168.1.21 count=2 numbers=0102 types=0506") };
    QTest::newRow("discover ports, none")
        << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 00 00 00 00")
        << QStringList{ QStringLiteral("ports ip=192.168.1.21 count=0 numbers= types=") };
    QTest::newRow("discover ports, count past the end")
        << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 03 00 00 00 01 05 00 00 00 00 00 00 02 06 00 00 00 00 00 00")
        << QStringList();
    QTest::newRow("discover ports, last entry cut")
        << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 02 00 00 00 01 05 00 00 00 00 00 00 02 06")
        << QStringList();
    QTest::newRow("discover ports, 255 ports claimed")
        << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 FF 00 00 00") << QStringList();
    QTest::newRow("discover ports, 13 bytes") << hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 00") << QStringList();

    QTest::newRow("blink scan") << hex("04 01 DC 4A 01 00 02 02 C0 A8 01 16 34 12")
                                << QStringList{ QStringLiteral("blinkscan ip=192.168.1.22 sn=4660") };
    QTest::newRow("blink scan, 13 bytes") << hex("04 01 DC 4A 01 00 02 02 C0 A8 01 16 34") << QStringList();

    const QByteArray byteRead = hex("04 01 DC 4A 01 00 04 02 00 00 00 00 39 30 00 00 42");
    QTest::newRow("byte read, EEPROM") << byteRead + hex("00 7F")
                                       << QStringList{ QStringLiteral("eeread ip=127.0.0.1 sn=12345 addr=66 byte=127") };
    QTest::newRow("byte read, pixel 1") << byteRead + hex("01 7F")
                                        << QStringList{ QStringLiteral("pixeltoken ip=127.0.0.1 sn=12345 pixel=1 token=66 byte=127") };
    QTest::newRow("byte read, pixel 9") << byteRead + hex("09 80")
                                        << QStringList{ QStringLiteral("pixeltoken ip=127.0.0.1 sn=12345 pixel=9 token=66 byte=128") };
    QTest::newRow("byte read, kind 10 dropped") << byteRead + hex("0A 7F") << QStringList();
    QTest::newRow("byte read, telemetry 11") << byteRead + hex("0B 7F")
                                             << QStringList{ QStringLiteral("telemetry ip=127.0.0.1 sn=12345 id=2882 byte=127") };
    QTest::newRow("byte read, telemetry 255") << byteRead + hex("FF 01")
                                              << QStringList{ QStringLiteral("telemetry ip=127.0.0.1 sn=12345 id=65346 byte=1") };
    QTest::newRow("byte read, 18 bytes") << byteRead + hex("00") << QStringList();

    QTest::newRow("BE blink scan, serial reversed")
        << hex("04 01 DC 4A 01 00 05 02 C0 A8 01 17 03 00 01 02 03 04 05 06")
        << QStringList{ QStringLiteral("bescan ip=192.168.1.23 port=3 sn=060504030201") };
    QTest::newRow("BE blink scan, 19 bytes")
        << hex("04 01 DC 4A 01 00 05 02 C0 A8 01 17 03 00 01 02 03 04 05") << QStringList();

    QTest::newRow("CA scan") << hex("04 01 DC 4A 01 00 06 02 C0 A8 01 18 01 02")
                             << QStringList{ QStringLiteral("cascan ip=192.168.1.24 port1=1 port2=2") };
    QTest::newRow("CA scan, 13 bytes") << hex("04 01 DC 4A 01 00 06 02 C0 A8 01 18 01") << QStringList();

    QTest::newRow("blink scan 2")
        << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 03 01 00 00"
               " 01 01 08 00 01 00 00 00 02 00 00 00"
               " 02 02 04 00 10 00 00 00"
               " 04 03 05 00 FF FF FF FF EE")
        << QStringList{ QStringLiteral("bs2sn ip=192.168.1.25 port=1 values=1,2"),
                        QStringLiteral("bs2ca ip=192.168.1.25 port=2 values=16"),
                        QStringLiteral("bs2 ip=192.168.1.25 entries=3 more=1 [port=1 kind=1 values=1,2]"
                                       " [port=2 kind=2 values=16] [port=4 kind=3 values=4294967295]") };
    QTest::newRow("blink scan 2, no entries")
        << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 00 00 00 00")
        << QStringList{ QStringLiteral("bs2 ip=192.168.1.25 entries=0 more=0") };
    QTest::newRow("blink scan 2, entry data cut")
        << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 01 00 00 00 01 01 08 00 01 00 00 00") << QStringList();
    QTest::newRow("blink scan 2, entry header cut")
        << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 02 00 00 00 01 01 04 00 01 00 00 00 02 02") << QStringList();
    QTest::newRow("blink scan 2, count past the end")
        << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 FF 00 00 00 01 01 04 00 01 00 00 00") << QStringList();
    QTest::newRow("blink scan 2, 15 bytes") << hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 00 00 00") << QStringList();

    QTest::newRow("extended PROM token") << hex("04 01 DC 4A 01 00 0A 02 00 00 00 00 34 12 00 00 EF BE 5A")
                                         << QStringList{ QStringLiteral("extprom ip=127.0.0.1 sn=4660 token=48879 byte=90") };
    QTest::newRow("extended PROM token, 18 bytes")
        << hex("04 01 DC 4A 01 00 0A 02 00 00 00 00 34 12 00 00 EF BE") << QStringList();

    QTest::newRow("device variable") << hex("04 01 DC 4A 01 00 06 01 00 00 00 00 0B 0A 00 00 D0 C0 B0 A0")
                                     << QStringList{ QStringLiteral("variable ip=127.0.0.1 id=2571 value=2695938256") };
    QTest::newRow("device variable, 19 bytes")
        << hex("04 01 DC 4A 01 00 06 01 00 00 00 00 0B 0A 00 00 D0 C0 B0") << QStringList();
    QTest::newRow("magic and version not checked")
        << hex("00 00 00 00 07 00 06 01 00 00 00 00 01 00 00 00 02 00 00 00")
        << QStringList{ QStringLiteral("variable ip=127.0.0.1 id=1 value=2") };

    QTest::newRow("array") << hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 02 00 01 00 00 00 FF FF FF FF")
                           << QStringList{ QStringLiteral("array ip=127.0.0.1 id=2 values=1,4294967295") };
    QTest::newRow("array, empty") << hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 00 00")
                                  << QStringList{ QStringLiteral("array ip=127.0.0.1 id=2 values=") };
    QTest::newRow("array, count past the end")
        << hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 03 00 01 00 00 00 FF FF FF FF")
        << QStringList();
    QTest::newRow("array, 65535 values claimed")
        << hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 FF FF") << QStringList();
    QTest::newRow("array, 19 bytes") << hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 02")
                                     << QStringList();

    QTest::newRow("unknown type") << hex("04 01 DC 4A 01 00 99 09 00 00 00 00 00 00 00 00") << QStringList();
    QTest::newRow("request type") << hex("04 01 DC 4A 01 00 01 00 00 00 00 00 C0 A8 01 FF") << QStringList();
    QTest::newRow("11 bytes") << hex("04 01 DC 4A 01 00 02 00 00 00 00") << QStringList();
    QTest::newRow("empty datagram") << QByteArray() << QStringList();
}

void tst_Dravon::replies()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QStringList, expected);

    Dravon dravon;
    Recorder recorder(&dravon);
    const quint16 port = dravon.socket()->localPort();

    // A well-formed reply after the one under test shows that the parser
    // goes on reading.
    QCOMPARE(m_device.writeDatagram(datagram, QHostAddress(QHostAddress::LocalHost), port),
             qint64(datagram.size()));
    m_device.writeDatagram(hex(sentinel), QHostAddress(QHostAddress::LocalHost), port);
    QTRY_VERIFY_WITH_TIMEOUT(recorder.lines.contains(sentinelSignal), 10000);

    expected << sentinelSignal;
    QCOMPARE(recorder.lines, expected);
}

void tst_Dravon::burstOfHostileDatagrams()
{
    Dravon dravon;
    Recorder recorder(&dravon);
    const quint16 port = dravon.socket()->localPort();
    const QByteArray hostile[] = {
        hex("04 01 DC 4A 01 00 02 00"),
        hex("04 01 DC 4A 01 00 0B 00 C0 A8 01 15 FF 00 00 00"),
        hex("04 01 DC 4A 01 00 08 02 C0 A8 01 19 FF 01 00 00 01 01 FF 00"),
        hex("04 01 DC 4A 01 00 0B 01 00 00 00 00 02 00 00 00 00 00 FF FF"),
        hex("04 01 DC 4A 01 00 04 02 00 00 00 00 39 30 00 00 42 0B"),
        hex("04 01 DC 4A 01 00 02 00 00 00 00 00 C0 A8 01 14 00 1A 2B 3C 4D 5E 02 01 39 30 FF FF 07 00 01 00")
            + QByteArray(5000, 'Z'),
    };
    for (const QByteArray &datagram : hostile)
        m_device.writeDatagram(datagram, QHostAddress(QHostAddress::LocalHost), port);
    m_device.writeDatagram(hex(sentinel), QHostAddress(QHostAddress::LocalHost), port);
    QTRY_VERIFY_WITH_TIMEOUT(recorder.lines.contains(sentinelSignal), 10000);

    // Only the oversized discover reply decodes: cut to the read limit, its
    // unterminated text is bounded to 511 characters.
    const QStringList expected{
        QStringLiteral("discover mac=001a2b3c4d5e ip=192.168.1.20 sn=12345 ver=258 uni=65543 version='%1' id=''")
            .arg(QString(511, QLatin1Char('Z'))),
        sentinelSignal
    };
    QCOMPARE(recorder.lines, expected);
}

QTEST_GUILESS_MAIN(tst_Dravon)
#include "tst_dravon.moc"
