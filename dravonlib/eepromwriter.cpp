// SPDX-License-Identifier: GPL-3.0-or-later
#include "eepromwriter.h"
#include "dravon.h"
#include "dravonlogging.h"

#include <QThread>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr unsigned long writePauseMs = 100;
constexpr unsigned long unlockPauseMs = 50;
constexpr unsigned long recordPauseMs = 250;
constexpr unsigned long erasePauseMs = 2500;
constexpr int unlockRepeats = 5;

constexpr quint32 unlockKey = 0x4C554D45;
constexpr quint16 unlockKeySuffix = 0x5452;

constexpr unsigned char dataRecord = 2;
constexpr unsigned char controlRecord = 0;
constexpr unsigned char eraseAction = 0x01;
constexpr unsigned char finishAction = 0x02;

constexpr int gamutAddress = 0x70;
constexpr int gamutValues = 9;
constexpr int bootLoaderWordAddress = 0x30;
constexpr unsigned short bootLoaderWord = 0xB00B;

unsigned char lowByte(int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

} // namespace

EEPROMWriter::EEPROMWriter(const char *ip, Dravon *dravon)
    : m_ip(ip)
    , m_dravon(dravon)
{
}

bool EEPROMWriter::sendFrame(unsigned char startCode, unsigned char *data, int len)
{
    if (!m_dravon || m_ip.isEmpty())
        return false;
    return m_dravon->sendDMXFrame(m_ip.constData(), startCode, 0, data, len);
}

bool EEPROMWriter::sendParamCode(AdvModeCmdSet cmd, unsigned char *data, int n)
{
    if (n < 0 || n > maxParamBytes || (n > 0 && !data)) {
        qCDebug(lcDravon) << "EEPROMWriter: refusing command" << cmd << "with" << n << "bytes";
        return false;
    }
    std::vector<unsigned char> frame(size_t(n) + 2);
    int sum = 0;
    for (int i = 0; i < n; ++i) {
        frame[size_t(i) + 2] = data[i];
        sum += data[i];
    }
    frame[0] = static_cast<unsigned char>(cmd);
    frame[1] = lowByte(0x1AA - int(cmd) - sum);
    return sendFrame(lowByte(n + 0x82), frame.data(), int(frame.size()));
}

bool EEPROMWriter::enterAdvancedMode()
{
    unsigned char payload[6] = {
        static_cast<unsigned char>(unlockKey >> 24), static_cast<unsigned char>(unlockKey >> 16),
        static_cast<unsigned char>(unlockKey >> 8),  static_cast<unsigned char>(unlockKey),
        static_cast<unsigned char>(unlockKeySuffix >> 8),
        static_cast<unsigned char>(unlockKeySuffix),
    };
    for (int i = 0; i < unlockRepeats; ++i) {
        if (i > 0)
            QThread::msleep(unlockPauseMs);
        if (!sendFrame(unlockStartCode, payload, int(sizeof payload)))
            return false;
    }
    return true;
}

bool EEPROMWriter::resetFixtures()
{
    return sendParamCode(ResetFixturesCmd, nullptr, 0);
}

bool EEPROMWriter::echoString(const char *text)
{
    if (!text)
        return false;
    const int length = int(qstrnlen(text, maxParamBytes + 1));
    std::vector<unsigned char> bytes(text, text + length);
    return sendParamCode(EchoStringCmd, bytes.data(), length);
}

bool EEPROMWriter::dumpEEPROM(int first, int count)
{
    if (first < 0 || first > 0xFF || count < 1 || first + count > 0x100)
        return false;
    unsigned char data[4] = { lowByte(first >> 8), lowByte(first), lowByte(count >> 8),
                              lowByte(count) };
    return sendParamCode(DumpEEPROMCmd, data, 4);
}

bool EEPROMWriter::sendAddressCommand(AdvModeCmdSet cmd, const EEPROMAddress &address)
{
    unsigned char data[4] = { address.a1(), address.a2(), address.a3(), address.a4() };
    return sendParamCode(cmd, data, 4);
}

bool EEPROMWriter::exitAdvancedMode(const EEPROMAddress &address)
{
    return sendAddressCommand(ExitAdvancedModeCmd, address);
}

bool EEPROMWriter::exitOthersAdvancedMode(const EEPROMAddress &address)
{
    return sendAddressCommand(ExitOthersAdvancedModeCmd, address);
}

bool EEPROMWriter::setIRBaudRate(const EEPROMAddress &address, int rateCode, int channel)
{
    if (rateCode < 0 || rateCode > 0xFF || channel < 0 || channel > 0xFF)
        return false;
    unsigned char data[6] = { address.a1(), address.a2(), address.a3(), address.a4(),
                              lowByte(rateCode), lowByte(channel) };
    return sendParamCode(SetIRBaudRateCmd, data, 6);
}

bool EEPROMWriter::broadcastAddress(const EEPROMAddress &)
{
    return sendParamCode(BroadcastAddressCmd, nullptr, 0);
}

bool EEPROMWriter::saveSector(unsigned char sector)
{
    if (!sendParamCode(SaveSectorCmd, &sector, 1))
        return false;
    QThread::msleep(writePauseMs);
    return true;
}

bool EEPROMWriter::writeExtPromByte(const EEPROMAddress &address, unsigned short extAddress,
                                    unsigned char value)
{
    unsigned char data[9] = { 0,           lowByte(extAddress), lowByte(extAddress >> 8),
                              0x01,        address.a1(),        address.a2(),
                              address.a3(), address.a4(),       value };
    if (!sendParamCode(WriteExtPromByteCmd, data, 9))
        return false;
    QThread::msleep(writePauseMs);
    return true;
}

bool EEPROMWriter::writeAt(const EEPROMAddress &address, int eepromAddress, unsigned char value,
                           unsigned int tag)
{
    unsigned char data[9] = { lowByte(int(tag & 0xFF)), lowByte(eepromAddress), 0x00, 0x01,
                              address.a1(), address.a2(), address.a3(), address.a4(), value };
    if (!sendParamCode(WriteByteCmd, data, 9))
        return false;
    QThread::msleep(writePauseMs);
    return true;
}

bool EEPROMWriter::writeRun(const EEPROMAddress &address, int eepromAddress,
                            std::initializer_list<unsigned char> values, unsigned int tag)
{
    for (const unsigned char value : values) {
        if (!writeAt(address, eepromAddress++, value, tag))
            return false;
    }
    return true;
}

bool EEPROMWriter::writeWord(const EEPROMAddress &address, int eepromAddress, unsigned short value,
                             unsigned int tag)
{
    return writeRun(address, eepromAddress, { lowByte(value >> 8), lowByte(value) }, tag);
}

bool EEPROMWriter::writeByte(const EEPROMAddress &address, int page, int offset,
                             unsigned char value, unsigned int tag)
{
    if (page < 0 || page > 15 || offset < 0 || offset > 15) {
        qCDebug(lcDravon) << "EEPROMWriter: page" << page << "offset" << offset << "out of range";
        return false;
    }
    return writeAt(address, (page << 4) + offset, value, tag);
}

bool EEPROMWriter::programEEPROMFlag(const EEPROMAddress &address, unsigned char flag,
                                     unsigned int tag)
{
    return writeAt(address, 0x42, flag, tag);
}

bool EEPROMWriter::programDMXAddress(const EEPROMAddress &address, unsigned short dmxAddress,
                                     unsigned int tag)
{
    return writeWord(address, 0x40, dmxAddress, tag);
}

bool EEPROMWriter::programStartupColor(const EEPROMAddress &address, unsigned char c1,
                                       unsigned char c2, unsigned char c3, unsigned int tag)
{
    return writeRun(address, 0x43, { c1, c2, c3 }, tag);
}

bool EEPROMWriter::programTimeoutColor(const EEPROMAddress &address, unsigned char c1,
                                       unsigned char c2, unsigned char c3, unsigned int tag)
{
    return writeRun(address, 0x47, { c1, c2, c3 }, tag);
}

bool EEPROMWriter::programTimeoutValue(const EEPROMAddress &address, unsigned short timeout,
                                       unsigned int tag)
{
    return writeWord(address, 0x4B, timeout, tag);
}

bool EEPROMWriter::programMapMode(const EEPROMAddress &address, unsigned char mode,
                                  unsigned int tag)
{
    return writeAt(address, 0x4D, mode, tag);
}

bool EEPROMWriter::programTempControl(const EEPROMAddress &address, unsigned char t1,
                                      unsigned char t2, unsigned char t3, unsigned int tag)
{
    return writeRun(address, 0x51, { t1, t2, t3 }, tag);
}

bool EEPROMWriter::programScaleValues(const EEPROMAddress &address, unsigned char s1,
                                      unsigned char s2, unsigned char s3, unsigned int tag)
{
    return writeRun(address, 0x60, { s1, s2, s3 }, tag);
}

bool EEPROMWriter::programLpFIREnable(const EEPROMAddress &address, unsigned char enable,
                                      unsigned int tag)
{
    return writeAt(address, 0x33, enable, tag);
}

bool EEPROMWriter::programIWEnable(const EEPROMAddress &address, unsigned char enable,
                                   unsigned int tag)
{
    return writeAt(address, 0x34, enable, tag);
}

bool EEPROMWriter::programMultiChMode(const EEPROMAddress &address, unsigned char mode)
{
    return writeAt(address, 0x35, mode, 0);
}

bool EEPROMWriter::programCalReset(const EEPROMAddress &address, unsigned char value)
{
    return writeAt(address, 0x36, value, 0);
}

bool EEPROMWriter::programTemperatureMode(const EEPROMAddress &address, unsigned char mode,
                                          unsigned int tag)
{
    return writeAt(address, 0x6C, mode, tag);
}

bool EEPROMWriter::programIwInputMode(const EEPROMAddress &address, unsigned char mode,
                                      unsigned int tag)
{
    return writeAt(address, 0x6C, mode, tag);
}

bool EEPROMWriter::programDimCurveType(const EEPROMAddress &address, unsigned char type,
                                       unsigned int tag)
{
    return writeAt(address, 0x6D, type, tag);
}

bool EEPROMWriter::program16BitMode(const EEPROMAddress &address, unsigned char mode,
                                    unsigned int tag)
{
    return writeAt(address, 0x6E, mode, tag);
}

bool EEPROMWriter::programNumberChannels(const EEPROMAddress &address, unsigned char count,
                                         unsigned int tag)
{
    return writeAt(address, 0xC0, count, tag);
}

bool EEPROMWriter::programLEDmode(const EEPROMAddress &address, unsigned char mode,
                                  unsigned int tag)
{
    return writeAt(address, 0xC1, mode, tag);
}

bool EEPROMWriter::programLEDspeed(const EEPROMAddress &address, unsigned char speed,
                                   unsigned int tag)
{
    return writeAt(address, 0xC2, speed, tag);
}

bool EEPROMWriter::programFixedRed(const EEPROMAddress &address, unsigned char level,
                                   unsigned int tag)
{
    return writeAt(address, 0xC4, level, tag);
}

bool EEPROMWriter::programFixedGreen(const EEPROMAddress &address, unsigned char level,
                                     unsigned int tag)
{
    return writeAt(address, 0xC5, level, tag);
}

bool EEPROMWriter::programFixedBlue(const EEPROMAddress &address, unsigned char level,
                                    unsigned int tag)
{
    return writeAt(address, 0xC6, level, tag);
}

bool EEPROMWriter::programFixedAmber(const EEPROMAddress &address, unsigned char level,
                                     unsigned int tag)
{
    return writeAt(address, 0xC7, level, tag);
}

bool EEPROMWriter::programFixedWhite(const EEPROMAddress &address, unsigned char level,
                                     unsigned int tag)
{
    return writeAt(address, 0xC8, level, tag);
}

bool EEPROMWriter::programUiUnlockTime(const EEPROMAddress &address, unsigned char time,
                                       unsigned int tag)
{
    return writeAt(address, 0xCB, time, tag);
}

bool EEPROMWriter::programInputMode(const EEPROMAddress &, unsigned char, unsigned int)
{
    return false;
}

bool EEPROMWriter::programMeasuredGamutXYZ(const EEPROMAddress &address,
                                           const unsigned short *xyz, unsigned int tag)
{
    if (!xyz)
        return false;
    for (int i = 0; i < gamutValues; ++i) {
        const int high = gamutAddress + 2 * i;
        const int low = high + 1;
        if (!writeByte(address, high >> 4, high & 0x0F, lowByte(xyz[i] >> 8), tag)
            || !writeByte(address, low >> 4, low & 0x0F, lowByte(xyz[i]), tag))
            return false;
    }
    return true;
}

bool EEPROMWriter::enterBootLoaderMode(const EEPROMAddress &address)
{
    return writeWord(address, bootLoaderWordAddress, bootLoaderWord, 0);
}

bool EEPROMWriter::programPage(const EEPROMAddress &address, int page,
                               const unsigned char *data16, unsigned int tag)
{
    if (page < 0 || page > 15 || !data16)
        return false;
    for (int offset = 0; offset < 16; ++offset) {
        if (!writeAt(address, (page << 4) + offset, data16[offset], tag))
            return false;
    }
    return true;
}

bool EEPROMWriter::programPage0(const EEPROMAddress &address, unsigned char v, int a, int b, int c,
                                int d, int e, unsigned int tag)
{
    unsigned char page[16] = { 0x55,       0x26,       0x0D,       0x20,       v,
                               lowByte(a), lowByte(b), lowByte(c), lowByte(d), lowByte(e) };
    checksumPage0(page);
    return programPage(address, 0, page, tag) && programPage(address, 1, page, tag);
}

bool EEPROMWriter::programPage2(const EEPROMAddress &address, int p0, int p1, int p2, int p3,
                                int p4, int p5, int p6, unsigned int tag)
{
    const unsigned char page[16] = { lowByte(p0),      lowByte(p1),      lowByte(p2),
                                     lowByte(p3),      lowByte(p4),      lowByte(p5),
                                     lowByte(p6 >> 8), lowByte(p6) };
    return programPage(address, 2, page, tag);
}

bool EEPROMWriter::programPage4(const EEPROMAddress &address, unsigned int tag)
{
    unsigned char page[16];
    std::fill(std::begin(page), std::end(page), 0xFF);
    return programPage(address, 4, page, tag);
}

void EEPROMWriter::checksumPage0(unsigned char *page)
{
    if (!page)
        return;
    int sum = 0;
    for (int i = 0; i < 16; ++i)
        sum += page[i];
    page[15] = lowByte(0xBD - sum);
}

unsigned short EEPROMWriter::calcChecksum(const unsigned char *data, int n)
{
    unsigned int sum = 0;
    for (int i = 0; data && i < n; ++i)
        sum += data[i];
    return static_cast<unsigned short>(0x10000u - (sum & 0xFFFFu));
}

bool EEPROMWriter::sendRecord(unsigned char startCode, const EEPROMAddress &fixture,
                              unsigned char type, const unsigned char *payload, int payloadLen)
{
    std::vector<unsigned char> record = { fixture.a1(), fixture.a2(), fixture.a3(), fixture.a4(),
                                          type };
    record.insert(record.end(), payload, payload + payloadLen);
    const unsigned short checksum = calcChecksum(record.data(), int(record.size()));
    record.push_back(lowByte(checksum >> 8));
    record.push_back(lowByte(checksum));
    return sendFrame(startCode, record.data(), int(record.size()));
}

bool EEPROMWriter::recordWrite(const EEPROMAddress &fixture, unsigned long len, int address,
                               unsigned char *data)
{
    if (len > unsigned(maxRecordBytes) || (len > 0 && !data) || address < 0 || address > 0xFFFF)
        return false;
    std::vector<unsigned char> payload = { lowByte(address >> 8), lowByte(address) };
    if (len > 0)
        payload.insert(payload.end(), data, data + len);
    if (!sendRecord(bootloaderStartCode, fixture, dataRecord, payload.data(), int(payload.size())))
        return false;
    QThread::msleep(recordPauseMs);
    return true;
}

bool EEPROMWriter::recordWriteCypressPSoC(const EEPROMAddress &fixture, unsigned long len,
                                          int address, unsigned char *data)
{
    if (len > unsigned(maxRecordBytes) || (len > 0 && !data) || address < 0 || address > 0xFFFF)
        return false;
    std::vector<unsigned char> payload = { lowByte(address >> 8), lowByte(address) };
    if (len > 0)
        payload.insert(payload.end(), data, data + len);
    if (!sendRecord(psocStartCode, fixture, dataRecord, payload.data(), int(payload.size())))
        return false;
    QThread::msleep(recordPauseMs);
    return true;
}

bool EEPROMWriter::eraseFlash(const EEPROMAddress &fixture)
{
    if (!sendRecord(bootloaderStartCode, fixture, controlRecord, &eraseAction, 1))
        return false;
    QThread::msleep(erasePauseMs);
    return true;
}

bool EEPROMWriter::finishWrite(const EEPROMAddress &fixture)
{
    return sendRecord(bootloaderStartCode, fixture, controlRecord, &finishAction, 1);
}

bool EEPROMWriter::sendMaskedAddressData(const EEPROMAddress &address, const EEPROMAddress &mask,
                                         unsigned char eepromAddress, unsigned char value,
                                         unsigned int tag)
{
    unsigned char data[11] = { address.a1(), address.a2(), address.a3(), address.a4(),
                               mask.a1(),    mask.a2(),    mask.a3(),    mask.a4(),
                               eepromAddress, value,       lowByte(int(tag & 0xFF)) };
    return sendFrame(maskedAddressStartCode, data, 11);
}
