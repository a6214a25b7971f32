// SPDX-License-Identifier: GPL-3.0-or-later
#include "dravon.h"
#include "dravontestbed.h"
#include "eepromaddress.h"
#include "eepromwriter.h"

#include <QTest>

#include <functional>
#include <initializer_list>
#include <memory>

using WriterAction = std::function<bool(EEPROMWriter &)>;
Q_DECLARE_METATYPE(WriterAction)

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// Header of every command frame: a DMX frame (type 0x0101), flags 0, no
// universe; the start code and the data follow.
const QByteArray dmxHeader = hex("04 01 DC 4A 01 00 01 01 00 00 00 00 00 00 00 00 FF FF FF FF");

QStringList sent(const QList<QByteArray> &datagrams)
{
    QStringList texts;
    for (const QByteArray &datagram : datagrams)
        texts << QString::fromLatin1(datagram.toHex(' '));
    return texts;
}

// The frames of the given commands (start code and data, in hex).
QStringList frames(std::initializer_list<const char *> bodies)
{
    QStringList texts;
    for (const char *body : bodies)
        texts << QString::fromLatin1(QByteArray(dmxHeader + hex(body)).toHex(' '));
    return texts;
}

QByteArray bytesOf(const EEPROMAddress &address)
{
    const char bytes[] = { char(address.a1()), char(address.a2()), char(address.a3()),
                           char(address.a4()) };
    return QByteArray(bytes, 4);
}

} // namespace

class tst_EEPROMWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void addresses();
    void commands_data();
    void commands();
    void longestCommand();
    void pages_data();
    void pages();
    void checksumPage0_data();
    void checksumPage0();
    void calcChecksum_data();
    void calcChecksum();
    void failedSends();

private:
    std::unique_ptr<Dravon> m_dravon;
    DravonTestBed::Listener m_supply;
};

void tst_EEPROMWriter::initTestCase()
{
    QString why;
    QVERIFY2(DravonTestBed::enterPrivateNetwork(&why), qPrintable(why));
    QVERIFY(m_supply.listen(QHostAddress(QHostAddress::LocalHost)));
    m_dravon = std::make_unique<Dravon>();
}

void tst_EEPROMWriter::addresses()
{
    const EEPROMAddress all;
    QCOMPARE(all.mode(), 0);
    QCOMPARE(bytesOf(all), hex("54 49 54 53"));
    const EEPROMAddress bytes(1, 2, 3, 4);
    QCOMPARE(bytes.mode(), 1);
    QCOMPARE(bytesOf(bytes), hex("01 02 03 04"));
    const EEPROMAddress number(0x12345);
    QCOMPARE(number.mode(), 2);
    QCOMPARE(bytesOf(number), hex("FF FF 23 45"));
}

void tst_EEPROMWriter::commands_data()
{
    QTest::addColumn<WriterAction>("action");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("expected");

    const EEPROMAddress fixture(1, 2, 3, 4);
    const EEPROMAddress one(0, 0, 0, 1);
    static unsigned char record[] = { 0xAA, 0xBB, 0xCC };

    QTest::newRow("reset fixtures") << WriterAction([](EEPROMWriter &w) { return w.resetFixtures(); }) << true
                                    << frames({ "82 00 AA" });
    QTest::newRow("echo string") << WriterAction([](EEPROMWriter &w) { return w.echoString("Hi"); }) << true
                                 << frames({ "84 01 F8 48 69" });
    QTest::newRow("dump EEPROM") << WriterAction([](EEPROMWriter &w) { return w.dumpEEPROM(0x40, 16); }) << true
                                 << frames({ "86 02 58 00 40 00 10" });
    QTest::newRow("exit advanced mode, all fixtures")
        << WriterAction([](EEPROMWriter &w) { return w.exitAdvancedMode(EEPROMAddress()); }) << true
        << frames({ "86 05 61 54 49 54 53" });
    QTest::newRow("exit others' advanced mode, fixture number")
        << WriterAction([](EEPROMWriter &w) { return w.exitOthersAdvancedMode(EEPROMAddress(0x1234)); }) << true
        << frames({ "86 06 60 FF FF 12 34" });
    QTest::newRow("IR baud rate")
        << WriterAction([fixture](EEPROMWriter &w) { return w.setIRBaudRate(fixture, 5, 1); }) << true
        << frames({ "88 07 93 01 02 03 04 05 01" });
    QTest::newRow("broadcast address")
        << WriterAction([fixture](EEPROMWriter &w) { return w.broadcastAddress(fixture); }) << true
        << frames({ "82 08 A2" });
    QTest::newRow("save sector") << WriterAction([](EEPROMWriter &w) { return w.saveSector(3); }) << true
                                 << frames({ "83 0A 9D 03" });
    QTest::newRow("write extended PROM byte")
        << WriterAction([fixture](EEPROMWriter &w) { return w.writeExtPromByte(fixture, 0x1234, 0x56); }) << true
        << frames({ "8B 0B F8 00 34 12 01 01 02 03 04 56" });
    QTest::newRow("write byte")
        << WriterAction([fixture](EEPROMWriter &w) { return w.writeByte(fixture, 4, 2, 0x10, 0x1234); }) << true
        << frames({ "8B 03 16 34 42 00 01 01 02 03 04 10" });
    QTest::newRow("write byte, page 16")
        << WriterAction([fixture](EEPROMWriter &w) { return w.writeByte(fixture, 16, 0, 1, 0); }) << false
        << QStringList();
    QTest::newRow("write byte, offset 16")
        << WriterAction([fixture](EEPROMWriter &w) { return w.writeByte(fixture, 0, 16, 1, 0); }) << false
        << QStringList();
    QTest::newRow("write byte, negative page")
        << WriterAction([fixture](EEPROMWriter &w) { return w.writeByte(fixture, -1, 0, 1, 0); }) << false
        << QStringList();
    QTest::newRow("DMX address, high byte first")
        << WriterAction([](EEPROMWriter &w) { return w.programDMXAddress(EEPROMAddress(), 0x0123, 7); }) << true
        << frames({ "8B 03 1A 07 40 00 01 54 49 54 53 01", "8B 03 F7 07 41 00 01 54 49 54 53 23" });
    QTest::newRow("startup colour, three addresses in a row")
        << WriterAction([one](EEPROMWriter &w) { return w.programStartupColor(one, 0x10, 0x20, 0x30, 0); }) << true
        << frames({ "8B 03 52 00 43 00 01 00 00 00 01 10", "8B 03 41 00 44 00 01 00 00 00 01 20",
                    "8B 03 30 00 45 00 01 00 00 00 01 30" });
    QTest::newRow("multi-channel mode, tag 0")
        << WriterAction([one](EEPROMWriter &w) { return w.programMultiChMode(one, 2); }) << true
        << frames({ "8B 03 6E 00 35 00 01 00 00 00 01 02" });
    QTest::newRow("boot loader mode")
        << WriterAction([one](EEPROMWriter &w) { return w.enterBootLoaderMode(one); }) << true
        << frames({ "8B 03 C5 00 30 00 01 00 00 00 01 B0", "8B 03 69 00 31 00 01 00 00 00 01 0B" });
    QTest::newRow("input mode, not supported")
        << WriterAction([one](EEPROMWriter &w) { return w.programInputMode(one, 1, 0); }) << false
        << QStringList();
    QTest::newRow("measured gamut, no values")
        << WriterAction([one](EEPROMWriter &w) { return w.programMeasuredGamutXYZ(one, nullptr, 0); }) << false
        << QStringList();
    QTest::newRow("enter advanced mode")
        << WriterAction([](EEPROMWriter &w) { return w.enterAdvancedMode(); }) << true
        << frames({ "7A 4C 55 4D 45 54 52", "7A 4C 55 4D 45 54 52", "7A 4C 55 4D 45 54 52",
                    "7A 4C 55 4D 45 54 52", "7A 4C 55 4D 45 54 52" });
    QTest::newRow("record write")
        << WriterAction([fixture](EEPROMWriter &w) { return w.recordWrite(fixture, 3, 0x1234, record); }) << true
        << frames({ "66 01 02 03 04 02 12 34 AA BB CC FD 7D" });
    QTest::newRow("record write, PSoC")
        << WriterAction([fixture](EEPROMWriter &w) { return w.recordWriteCypressPSoC(fixture, 3, 0x1234, record); }) << true
        << frames({ "67 01 02 03 04 02 12 34 AA BB CC FD 7D" });
    QTest::newRow("record write, too long")
        << WriterAction([fixture](EEPROMWriter &w) {
               static unsigned char big[EEPROMWriter::maxRecordBytes + 1] = {};
               return w.recordWrite(fixture, sizeof big, 0, big);
           }) << false << QStringList();
    QTest::newRow("record write, address beyond 16 bits")
        << WriterAction([fixture](EEPROMWriter &w) { return w.recordWrite(fixture, 3, 0x10000, record); }) << false
        << QStringList();
    QTest::newRow("erase flash")
        << WriterAction([fixture](EEPROMWriter &w) { return w.eraseFlash(fixture); }) << true
        << frames({ "66 01 02 03 04 00 01 FF F5" });
    QTest::newRow("finish write")
        << WriterAction([fixture](EEPROMWriter &w) { return w.finishWrite(fixture); }) << true
        << frames({ "66 01 02 03 04 00 02 FF F4" });
    QTest::newRow("masked address data")
        << WriterAction([fixture](EEPROMWriter &w) {
               return w.sendMaskedAddressData(fixture, EEPROMAddress(0xFF, 0xFF, 0, 0), 0x40, 0x99, 0x1FF);
           }) << true
        << frames({ "DE 01 02 03 04 FF FF 00 00 40 99 FF" });
    QTest::newRow("echo string, 126 characters")
        << WriterAction([](EEPROMWriter &w) { return w.echoString(QByteArray(126, 'A').constData()); }) << false
        << QStringList();
    QTest::newRow("dump EEPROM past the end")
        << WriterAction([](EEPROMWriter &w) { return w.dumpEEPROM(0xF8, 9); }) << false << QStringList();
    QTest::newRow("IR baud rate out of range")
        << WriterAction([fixture](EEPROMWriter &w) { return w.setIRBaudRate(fixture, 256, 0); }) << false
        << QStringList();
    QTest::newRow("page 16") << WriterAction([fixture](EEPROMWriter &w) {
        static const unsigned char page[16] = {};
        return w.programPage(fixture, 16, page, 0);
    }) << false << QStringList();
}

void tst_EEPROMWriter::commands()
{
    QFETCH(WriterAction, action);
    QFETCH(bool, result);
    QFETCH(QStringList, expected);

    EEPROMWriter writer("127.0.0.1", m_dravon.get());
    QCOMPARE(action(writer), result);
    QCOMPARE(sent(m_supply.collect()), expected);
}

void tst_EEPROMWriter::longestCommand()
{
    EEPROMWriter writer("127.0.0.1", m_dravon.get());
    QVERIFY(writer.echoString(QByteArray(125, 'A').constData()));
    const QByteArray expected = dmxHeader + hex("FF 01 EC") + QByteArray(125, 'A');
    QCOMPARE(sent(m_supply.collect()), sent({ expected }));
}

void tst_EEPROMWriter::pages_data()
{
    QTest::addColumn<WriterAction>("action");
    QTest::addColumn<QList<int>>("pageNumbers");
    QTest::addColumn<QByteArray>("image");

    const EEPROMAddress fixture(1, 2, 3, 4);
    QTest::newRow("page 0, copied to page 1")
        << WriterAction([fixture](EEPROMWriter &w) { return w.programPage0(fixture, 0x02, 2, 3, 4, 5, 0x106, 0x1FF); })
        << QList<int>{ 0, 1 } << hex("55 26 0D 20 02 02 03 04 05 06 00 00 00 00 00 FF");
    QTest::newRow("page 2")
        << WriterAction([fixture](EEPROMWriter &w) { return w.programPage2(fixture, 1, 2, 3, 4, 5, 0x106, 0x1234, 0x1FF); })
        << QList<int>{ 2 } << hex("01 02 03 04 05 06 12 34 00 00 00 00 00 00 00 00");
    QTest::newRow("page 4")
        << WriterAction([fixture](EEPROMWriter &w) { return w.programPage4(fixture, 0x1FF); })
        << QList<int>{ 4 } << hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
}

void tst_EEPROMWriter::pages()
{
    QFETCH(WriterAction, action);
    QFETCH(QList<int>, pageNumbers);
    QFETCH(QByteArray, image);

    EEPROMWriter writer("127.0.0.1", m_dravon.get());
    QVERIFY(action(writer));
    const QList<QByteArray> datagrams = m_supply.collect();
    QCOMPARE(datagrams.size(), 16 * pageNumbers.size());

    // Every frame is a write-byte command (its checksum bytes were checked
    // against hand-made frames above); here the addresses and values count.
    for (int i = 0; i < datagrams.size(); ++i) {
        const QByteArray command = datagrams.at(i).mid(dmxHeader.size());
        QCOMPARE(datagrams.at(i).left(dmxHeader.size()), dmxHeader);
        QCOMPARE(command.size(), 12);
        QCOMPARE(command.left(2), hex("8B 03"));
        int sum = 0;
        for (int b = 3; b < 12; ++b)
            sum += quint8(command.at(b));
        QCOMPARE(quint8(command.at(2)), quint8((0x1AA - 3 - sum) & 0xFF));
        const int address = (pageNumbers.at(i / 16) << 4) + i % 16;
        QCOMPARE(command.mid(3).toHex(' '),
                 QByteArray(hex("FF") + char(address) + hex("00 01 01 02 03 04") + image.at(i % 16)).toHex(' '));
    }
}

void tst_EEPROMWriter::checksumPage0_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("checksum");
    QTest::newRow("header only") << hex("55 26 0D 20 00 00 00 00 00 00 00 00 00 00 00 00") << 0x15;
    QTest::newRow("sum wraps below zero") << hex("55 26 0D 20 02 02 03 04 05 06 00 00 00 00 00 00") << 0xFF;
    QTest::newRow("byte 15 counted as passed") << hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 10") << 0xAD;
}

void tst_EEPROMWriter::checksumPage0()
{
    QFETCH(QByteArray, page);
    QFETCH(int, checksum);
    const QByteArray before = page;
    EEPROMWriter::checksumPage0(reinterpret_cast<unsigned char *>(page.data()));
    QCOMPARE(int(quint8(page.at(15))), checksum);
    QCOMPARE(page.left(15), before.left(15));
}

void tst_EEPROMWriter::calcChecksum_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("checksum");
    QTest::newRow("nothing") << QByteArray() << 0x0000;
    QTest::newRow("one") << hex("01") << 0xFFFF;
    QTest::newRow("two bytes") << hex("FF FF") << 0xFE02;
    QTest::newRow("sum over 16 bits") << QByteArray(300, char(0xFF)) << 0xD52C;
}

void tst_EEPROMWriter::calcChecksum()
{
    QFETCH(QByteArray, data);
    QFETCH(int, checksum);
    QCOMPARE(int(EEPROMWriter::calcChecksum(reinterpret_cast<const unsigned char *>(data.constData()),
                                            data.size())),
             checksum);
}

void tst_EEPROMWriter::failedSends()
{
    // A supply address that is no address: every frame fails, and the
    // operations give up at the first one.
    EEPROMWriter nowhere("supply", m_dravon.get());
    QVERIFY(!nowhere.resetFixtures());
    QVERIFY(!nowhere.enterAdvancedMode());
    QVERIFY(!nowhere.programPage0(EEPROMAddress(), 1, 2, 3, 4, 5, 6, 0));
    QVERIFY(!nowhere.recordWrite(EEPROMAddress(), 0, 0, nullptr));

    EEPROMWriter detached("127.0.0.1", nullptr);
    QVERIFY(!detached.resetFixtures());
    QVERIFY(m_supply.collect().isEmpty());
}

QTEST_GUILESS_MAIN(tst_EEPROMWriter)
#include "tst_eepromwriter.moc"
