// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dravonlib_export.h"
#include "eepromaddress.h"

#include <QByteArray>

#include <initializer_list>

class Dravon;

/**
 * Programs the EEPROM of fixtures behind one Dravon power/data supply.
 *
 * Every command is a Dravon DMX frame (Dravon::sendDMXFrame(), flags 0) sent
 * to the supply's address; its start code selects the command family. There
 * is no acknowledgement: an operation returns true when its frames were
 * sent, false when a frame could not be sent or an argument is out of range
 * (nothing is sent then). The pauses after writes are blocking sleeps of the
 * calling thread, so run long operations away from the GUI thread.
 *
 * Advanced-mode commands (sendParamCode()): start code (n + 0x82), then the
 * command code, a checksum (0x1AA - cmd - sum of the data) AND 0xFF, and the
 * n data bytes; n is at most 125, so the start code never wraps round to a
 * start code of ordinary levels.
 *
 * Write-byte data (command 3), 9 bytes: tag, EEPROM address as a
 * little-endian 16-bit value (address, 0x00), byte count 0x01, a1..a4,
 * value. A fixture EEPROM address is (page << 4) + offset.
 *
 * Layouts chosen for this tool:
 * - unlock payload of enterAdvancedMode(), start code 0x7A: the 32-bit key
 *   0x4C554D45 and the 16-bit key 0x5452, high byte first
 *   (4C 55 4D 45 54 52).
 * - echoString(), command 1: the text's bytes without a terminator,
 *   at most 125.
 * - dumpEEPROM(first, count), command 2: first bits 15..8, 7..0, count bits
 *   15..8, 7..0; first + count within the 256 bytes.
 * - setIRBaudRate(address, rateCode, channel), command 7: a1..a4, rate code,
 *   channel (each 0..255).
 * - writeExtPromByte(), command 11: 0, extended address as little-endian
 *   16 bits, 0x01, a1..a4, value.
 * - enterBootLoaderMode(): the request word 0xB00B, 0xB0 to 0x30 and 0x0B to
 *   0x31.
 * - page-4 image of programPage4(): all sixteen bytes 0xFF, the erased state,
 *   which leaves the parameters of addresses 0x40..0x4F to the fixture's
 *   built-in defaults.
 * - programMeasuredGamutXYZ(): nine 16-bit values (X, Y, Z of red, green and
 *   blue), high byte first, from EEPROM address 0x70 to 0x81.
 * - bootloader records, start code 0x66 (recordWrite()) or 0x67
 *   (recordWriteCypressPSoC(), same layout): a1..a4, record type, payload,
 *   16-bit checksum (calcChecksum() of everything before it, high byte
 *   first). Data record, type 2: address bits 15..8, 7..0, the data (at most
 *   503 bytes, so the frame fits 512 slots). Control records, type 0, one
 *   payload byte: 0x01 erase the flash (eraseFlash()), 0x02 finish the
 *   write and start the new firmware (finishWrite()).
 * - sendMaskedAddressData(), start code 0xDE, 11 bytes: a1..a4 of the
 *   address, the four bytes of the mask, EEPROM address, value, tag; every
 *   fixture whose address matches under the mask takes the value.
 */
class DRAVONLIB_EXPORT EEPROMWriter
{
public:
    /** Advanced-mode command codes. */
    enum AdvModeCmdSet {
        ResetFixturesCmd = 0,
        EchoStringCmd = 1,
        DumpEEPROMCmd = 2,
        WriteByteCmd = 3,
        ExitAdvancedModeCmd = 5,
        ExitOthersAdvancedModeCmd = 6,
        SetIRBaudRateCmd = 7,
        BroadcastAddressCmd = 8,
        SaveSectorCmd = 10,
        WriteExtPromByteCmd = 11
    };

    static constexpr unsigned char unlockStartCode = 0x7A;
    static constexpr unsigned char bootloaderStartCode = 0x66;
    static constexpr unsigned char psocStartCode = 0x67;
    static constexpr unsigned char maskedAddressStartCode = 0xDE;
    /** Most data bytes of one advanced-mode command. */
    static constexpr int maxParamBytes = 125;
    /** Most data bytes of one bootloader data record. */
    static constexpr int maxRecordBytes = 503;

    /** Talks to the supply at the dotted IPv4 text @p ip (copied) through @p dravon (not owned). */
    EEPROMWriter(const char *ip, Dravon *dravon);

    /** Sends one advanced-mode command with @p n data bytes (0..125). */
    bool sendParamCode(AdvModeCmdSet cmd, unsigned char *data, int n);

    /** Unlocks advanced mode: the unlock frame five times, 50 ms apart. */
    bool enterAdvancedMode();
    bool resetFixtures();
    bool echoString(const char *text);
    bool dumpEEPROM(int first, int count);
    bool exitAdvancedMode(const EEPROMAddress &address);
    bool exitOthersAdvancedMode(const EEPROMAddress &address);
    bool setIRBaudRate(const EEPROMAddress &address, int rateCode, int channel);
    bool broadcastAddress(const EEPROMAddress &address);
    /** Saves sector @p sector; pauses 100 ms. */
    bool saveSector(unsigned char sector);
    /** Writes one extended PROM byte; pauses 100 ms. */
    bool writeExtPromByte(const EEPROMAddress &address, unsigned short extAddress,
                          unsigned char value);

    /** Writes one EEPROM byte; page and offset 0..15; pauses 100 ms. */
    bool writeByte(const EEPROMAddress &address, int page, int offset, unsigned char value,
                   unsigned int tag);

    bool programEEPROMFlag(const EEPROMAddress &address, unsigned char flag, unsigned int tag);
    bool programDMXAddress(const EEPROMAddress &address, unsigned short dmxAddress,
                           unsigned int tag);
    bool programStartupColor(const EEPROMAddress &address, unsigned char c1, unsigned char c2,
                             unsigned char c3, unsigned int tag);
    bool programTimeoutColor(const EEPROMAddress &address, unsigned char c1, unsigned char c2,
                             unsigned char c3, unsigned int tag);
    bool programTimeoutValue(const EEPROMAddress &address, unsigned short timeout,
                             unsigned int tag);
    bool programMapMode(const EEPROMAddress &address, unsigned char mode, unsigned int tag);
    bool programTempControl(const EEPROMAddress &address, unsigned char t1, unsigned char t2,
                            unsigned char t3, unsigned int tag);
    bool programScaleValues(const EEPROMAddress &address, unsigned char s1, unsigned char s2,
                            unsigned char s3, unsigned int tag);
    bool programLpFIREnable(const EEPROMAddress &address, unsigned char enable, unsigned int tag);
    bool programIWEnable(const EEPROMAddress &address, unsigned char enable, unsigned int tag);
    bool programMultiChMode(const EEPROMAddress &address, unsigned char mode);
    bool programCalReset(const EEPROMAddress &address, unsigned char value);
    bool programTemperatureMode(const EEPROMAddress &address, unsigned char mode,
                                unsigned int tag);
    bool programIwInputMode(const EEPROMAddress &address, unsigned char mode, unsigned int tag);
    bool programDimCurveType(const EEPROMAddress &address, unsigned char type, unsigned int tag);
    bool program16BitMode(const EEPROMAddress &address, unsigned char mode, unsigned int tag);
    bool programNumberChannels(const EEPROMAddress &address, unsigned char count,
                               unsigned int tag);
    bool programLEDmode(const EEPROMAddress &address, unsigned char mode, unsigned int tag);
    bool programLEDspeed(const EEPROMAddress &address, unsigned char speed, unsigned int tag);
    bool programFixedRed(const EEPROMAddress &address, unsigned char level, unsigned int tag);
    bool programFixedGreen(const EEPROMAddress &address, unsigned char level, unsigned int tag);
    bool programFixedBlue(const EEPROMAddress &address, unsigned char level, unsigned int tag);
    bool programFixedAmber(const EEPROMAddress &address, unsigned char level, unsigned int tag);
    bool programFixedWhite(const EEPROMAddress &address, unsigned char level, unsigned int tag);
    bool programUiUnlockTime(const EEPROMAddress &address, unsigned char time, unsigned int tag);
    /** Not supported by the fixtures' EEPROM layout: sends nothing, false. */
    bool programInputMode(const EEPROMAddress &address, unsigned char mode, unsigned int tag);
    /** Writes @p xyz (nine values) from address 0x70; null is refused. */
    bool programMeasuredGamutXYZ(const EEPROMAddress &address, const unsigned short *xyz,
                                 unsigned int tag);
    bool enterBootLoaderMode(const EEPROMAddress &address);

    /** Writes the 16 bytes of @p data16 to @p page (0..15), 100 ms after each. */
    bool programPage(const EEPROMAddress &address, int page, const unsigned char *data16,
                     unsigned int tag);
    /** Page 0 and, when that succeeded, the same image to page 1. */
    bool programPage0(const EEPROMAddress &address, unsigned char v, int a, int b, int c, int d,
                      int e, unsigned int tag);
    bool programPage2(const EEPROMAddress &address, int p0, int p1, int p2, int p3, int p4, int p5,
                      int p6, unsigned int tag);
    bool programPage4(const EEPROMAddress &address, unsigned int tag);

    /** Stores (0xBD - sum of all 16 bytes) AND 0xFF in byte 15 of @p page. */
    static void checksumPage0(unsigned char *page);
    /** The two's complement of the 16-bit sum of @p n bytes. */
    static unsigned short calcChecksum(const unsigned char *data, int n);

    /** Bootloader data record of @p len bytes for @p address (0..0xFFFF); pauses 250 ms. */
    bool recordWrite(const EEPROMAddress &fixture, unsigned long len, int address,
                     unsigned char *data);
    /** As recordWrite() with the start code 0x67. */
    bool recordWriteCypressPSoC(const EEPROMAddress &fixture, unsigned long len, int address,
                                unsigned char *data);
    /** Erases the bootloader's flash; pauses 2500 ms. */
    bool eraseFlash(const EEPROMAddress &fixture);
    bool finishWrite(const EEPROMAddress &fixture);
    bool sendMaskedAddressData(const EEPROMAddress &address, const EEPROMAddress &mask,
                               unsigned char eepromAddress, unsigned char value,
                               unsigned int tag);

private:
    bool sendFrame(unsigned char startCode, unsigned char *data, int len);
    bool writeAt(const EEPROMAddress &address, int eepromAddress, unsigned char value,
                 unsigned int tag);
    /** @p values at consecutive EEPROM addresses from @p eepromAddress; stops at the first failed write. */
    bool writeRun(const EEPROMAddress &address, int eepromAddress, std::initializer_list<unsigned char> values,
                  unsigned int tag);
    /** A 16-bit value at @p eepromAddress and the next, high byte first. */
    bool writeWord(const EEPROMAddress &address, int eepromAddress, unsigned short value, unsigned int tag);
    bool sendRecord(unsigned char startCode, const EEPROMAddress &fixture, unsigned char type,
                    const unsigned char *payload, int payloadLen);
    bool sendAddressCommand(AdvModeCmdSet cmd, const EEPROMAddress &address);

    QByteArray m_ip;
    Dravon *m_dravon;
};
