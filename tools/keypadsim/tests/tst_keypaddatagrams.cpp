// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypaddatagrams.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class tst_KeypadDatagrams : public QObject
{
    Q_OBJECT
private slots:
    void discoverReply_data()
    {
        QTest::addColumn<quint32>("ip");
        QTest::addColumn<QByteArray>("mac");
        QTest::addColumn<quint16>("version");
        QTest::addColumn<quint16>("serial");
        QTest::addColumn<quint32>("universe");
        QTest::addColumn<QByteArray>("versionText");
        QTest::addColumn<QByteArray>("identification");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("192.168.1.20")
            << quint32(0xC0A80114) << hex("0A0B0C0D0E0F") << quint16(0x0102) << quint16(0xABCD) << quint32(0x01020304)
            << QByteArray("V:1\nH:B\nP:XKP-204417-00\nS:1") << QByteArray("Hall")
            << hex("0401DC4A 0100 0200 00000000 C0A80114 0A0B0C0D0E0F 0201 CDAB 0000 04030201")
                   + QByteArray("V:1\nH:B\nP:XKP-204417-00\nS:1\0Hall\0", 33);
        QTest::newRow("empty texts") << quint32(0x0A4D0014) << hex("024C4B000001") << quint16(0) << quint16(0)
                                     << quint32(0) << QByteArray() << QByteArray()
                                     << hex("0401DC4A 0100 0200 00000000 0A4D0014 024C4B000001 0000 0000 0000 00000000"
                                            "00 00");
        QTest::newRow("a NUL ends a text")
            << quint32(0x7F000001) << hex("024C4B000001") << quint16(1) << quint16(2) << quint32(3)
            << QByteArray("a\0b", 3) << QByteArray("c\0d", 3)
            << hex("0401DC4A 0100 0200 00000000 7F000001 024C4B000001 0100 0200 0000 03000000 6100 6300");
    }

    void discoverReply()
    {
        QFETCH(quint32, ip);
        QFETCH(QByteArray, mac);
        QFETCH(quint16, version);
        QFETCH(quint16, serial);
        QFETCH(quint32, universe);
        QFETCH(QByteArray, versionText);
        QFETCH(QByteArray, identification);
        QFETCH(QByteArray, expected);
        KeypadDatagrams::DiscoverInfo info;
        info.ip = ip;
        info.mac = mac;
        info.version = version;
        info.serial = serial;
        info.universe = universe;
        info.versionText = versionText;
        info.identification = identification;
        QCOMPARE(KeypadDatagrams::discoverReply(info).toHex(' '), expected.toHex(' '));
    }

    void longTextsFitTheReadersBuffers()
    {
        KeypadDatagrams::DiscoverInfo info;
        info.versionText = QByteArray(600, 'v');
        info.identification = QByteArray(700, 'i');
        const QByteArray reply = KeypadDatagrams::discoverReply(info);
        QCOMPARE(reply.size(), 32 + 512 + 512);
        QCOMPARE(reply.at(32 + 511), '\0');
        QCOMPARE(reply.mid(32 + 512, 511), QByteArray(511, 'i'));
        QCOMPARE(reply.at(reply.size() - 1), '\0');
    }

    void versionText()
    {
        const QByteArray text = KeypadDatagrams::versionText(QStringLiteral("1.1.19"), QStringLiteral("XKP-204417-00"), 77);
        QCOMPARE(text, QByteArray("Firmware:1.1.19\nHardware:B\nPart:XKP-204417-00\nSerial:77"));
        // How the program reads it: the third line after its first colon, untrimmed.
        QCOMPARE(QString::fromLatin1(text).trimmed().split(QLatin1Char('\n')).value(2).section(
                     QLatin1Char(':'), 1, 1, QString::SectionSkipEmpty),
                 QStringLiteral("XKP-204417-00"));
    }

    void versionNumber_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<quint16>("number");
        QTest::newRow("1.2.0") << "1.2.0" << quint16(0x0102);
        QTest::newRow("1.1.19") << "1.1.19" << quint16(0x0101);
        QTest::newRow("10.20") << "10.20" << quint16(0x0A14);
        QTest::newRow("not a version") << "beta" << quint16(0);
    }

    void versionNumber()
    {
        QFETCH(QString, firmware);
        QFETCH(quint16, number);
        QCOMPARE(KeypadDatagrams::versionNumber(firmware), number);
    }

    void keypadDatagrams_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("scene 1") << KeypadDatagrams::sceneSelected(1) << hex("0401DC4A 0100 0103 00000000 00010000");
        QTest::newRow("scene 8") << KeypadDatagrams::sceneSelected(8) << hex("0401DC4A 0100 0103 00000000 00080000");
        QTest::newRow("configuration changed")
            << KeypadDatagrams::configurationChanged() << hex("0401DC4A 0100 0303 00000000 0000000000");
        QTest::newRow("heartbeat 258")
            << KeypadDatagrams::heartbeat(258) << hex("0401DC4A 0100 0203 02010000 00000000");
    }

    void keypadDatagrams()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QByteArray, expected);
        QCOMPARE(datagram.toHex(' '), expected.toHex(' '));
    }

    void discoverRequests_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<quint32>("target");
        QTest::newRow("to 192.168.1.255") << hex("0401DC4A 0100 0100 00000000 C0A801FF") << true << quint32(0xC0A801FF);
        QTest::newRow("with trailing bytes")
            << hex("0401DC4A 0100 0100 00000000 0A01FFFF 0000") << true << quint32(0x0A01FFFF);
        QTest::newRow("15 bytes") << hex("0401DC4A 0100 0100 00000000 C0A801") << false << quint32(0);
        QTest::newRow("wrong magic") << hex("0401DC4B 0100 0100 00000000 C0A801FF") << false << quint32(0);
        QTest::newRow("version 2") << hex("0401DC4A 0200 0100 00000000 C0A801FF") << false << quint32(0);
        QTest::newRow("a reply") << hex("0401DC4A 0100 0200 00000000 C0A801FF") << false << quint32(0);
        QTest::newRow("empty") << QByteArray() << false << quint32(0);
    }

    void discoverRequests()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, accepted);
        QFETCH(quint32, target);
        quint32 parsed = 0;
        QCOMPARE(KeypadDatagrams::parseDiscoverRequest(datagram, &parsed), accepted);
        QCOMPARE(parsed, target);
    }

    void setIpRequests_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("mac");
        QTest::addColumn<quint32>("ip");
        QTest::newRow("to 192.168.1.10")
            << hex("0401DC4A 0100 0300 00000000 B2A7C15E 024C4B000001 0000 C0A8010A") << true << hex("024C4B000001")
            << quint32(0xC0A8010A);
        QTest::newRow("set-MAC access word")
            << hex("0401DC4A 0100 0300 00000000 0EF0117A 024C4B000001 0000 C0A8010A") << false << QByteArray()
            << quint32(0);
        QTest::newRow("27 bytes") << hex("0401DC4A 0100 0300 00000000 B2A7C15E 024C4B000001 0000 C0A801") << false
                                  << QByteArray() << quint32(0);
        QTest::newRow("set universe")
            << hex("0401DC4A 0100 0500 00000000 B2A7C15E 024C4B000001 0000 C0A8010A") << false << QByteArray()
            << quint32(0);
    }

    void setIpRequests()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, mac);
        QFETCH(quint32, ip);
        QByteArray parsedMac;
        quint32 parsedIp = 0;
        QCOMPARE(KeypadDatagrams::parseSetIp(datagram, &parsedMac, &parsedIp), accepted);
        QCOMPARE(parsedMac, mac);
        QCOMPARE(parsedIp, ip);
    }

    void macs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("mac");
        QTest::newRow("colons") << "02:4c:4b:00:00:0a" << hex("024C4B00000A");
        QTest::newRow("dashes, upper case") << "02-4C-4B-00-00-0A" << hex("024C4B00000A");
        QTest::newRow("five bytes") << "02:4c:4b:00:00" << QByteArray();
        QTest::newRow("not hex") << "02:4c:4b:00:00:0g" << QByteArray();
    }

    void macs()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, mac);
        QCOMPARE(KeypadDatagrams::parseMac(text), mac);
    }
};

QTEST_GUILESS_MAIN(tst_KeypadDatagrams)
#include "tst_keypaddatagrams.moc"
