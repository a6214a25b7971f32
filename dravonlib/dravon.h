// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dravonlib_export.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QString>
#include <QVector>

class DravonSocket;

/**
 * One entry of a blink-scan-2 reply: the fixtures found on one port.
 * @c values points at @c count 32-bit values (serial numbers for kind 1,
 * fixture sizes for kind 2) owned by the Dravon object; see
 * Dravon::signalBlinkScan2Response().
 */
struct BlinkScan2_Reply_Entry
{
    uchar port = 0;
    uchar kind = 0;
    uchar count = 0;
    ulong *values = nullptr;
};

/**
 * Client side of the Dravon lighting-network protocol (UDP port 6038).
 *
 * Builds requests, sends them through its own DravonSocket and turns every
 * reply that arrives on that socket into a signal. All multi-byte integers on
 * the wire are little-endian; IPv4 addresses in payloads are in network
 * order. Every packet starts with a 12-byte header: magic 0x4ADC0104,
 * version 1, type, sequence (0 in every request built here).
 *
 * Send operations return false, sending nothing, when an address text that
 * must be checked does not convert (or is null), when an argument is out of
 * range, or when the socket reports a write error. Requests "to the
 * interface broadcast" go to the broadcast address of the interface chosen
 * with setInterface() (255.255.255.255 before).
 *
 * Reply signals are emitted from checkSocket(), on the object's thread.
 * Every pointer they carry (texts, MAC, serial bytes, arrays) points into
 * memory owned by this object and is valid only while the signal is being
 * delivered: connect directly (the default on the same thread) and copy what
 * is kept. A datagram shorter than its type's layout, or whose counts point
 * past its end, is dropped without a signal.
 *
 * Layouts of requests (offsets in bytes; unlisted bytes are zero; "target"
 * is the IPv4 address converted from the @c ip argument, network order):
 * - discover 0x0001 / extended discover 0x000C, 16: 12 target.
 * - set IP 0x0003, 28: 12 access word 0x5EC1A7B2; 16 MAC (6); 24 new IPv4.
 * - set MAC 0x0004, 32: 12 access word 0x7A11F00E; 16 first 4 bytes of the
 *   MAC; 20 MAC (6); 28 numeric argument (4).
 * - set universe 0x0005, 20: 12 access word 0x5EC1A7B2; 16 universe (4).
 * - set ID 0x0006, 32: 12 access word 0x5EC1A7B2; 16 identification text,
 *   16 bytes, at most 15 characters, NUL-padded.
 * - set MAC two-address form 0x0009, 40: 12 access word 0x7A11F00E;
 *   16 current MAC (6); 24 new MAC (6); 32 numeric argument (4).
 * - discover ports 0x000A, 16: 8 target.
 * - set MAC, IP and serial 0x000E, 44: 12 access word 0x7A11F00E;
 *   16 current MAC (6); 24 new MAC (6); 32 new IPv4 (network order);
 *   36 serial number (4).
 * - DMX frame 0x0101, 21 + len: 14 flags (2); 16 universe (4, 0xFFFFFFFF
 *   when the form has no universe); 20 start code; 21 the len slots.
 * - set value 0x0103, 20: 8 target; 12 value id (2); 16 value (4).
 * - DMX timer sync 0x0104, 16: header only.
 * - get value 0x0105 / get array 0x010A, 16: 12 value id (2).
 * - port output 0x0108, 23 + len: 12 universe (4); 16 port; 18 flags (2);
 *   20 len (2); 22 start code; 23 the len bytes.
 * - port output sync 0x0109, 16: header only.
 * - blink scan 0x0201 / blink scan 2 0x0207, 16: 8 target.
 * - blink EEPROM read 0x0203, 20: 8 target; 12 fixture serial (4);
 *   16 EEPROM address, token or telemetry id low byte; 17 sub-kind (0 EEPROM
 *   byte, 1..9 token of that pixel, 11 and above telemetry: bytes 16 and 17
 *   together are the little-endian telemetry id).
 * - extended PROM read 0x0209, 20: 8 target; 12 fixture serial (4);
 *   16 token (2).
 */
class DRAVONLIB_EXPORT Dravon : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Dravon)

public:
    /** Packet types of the protocol. */
    enum PacketType : ushort {
        Discover = 0x0001,
        DiscoverReply = 0x0002,
        SetIP = 0x0003,
        SetMAC = 0x0004,
        SetUniverse = 0x0005,
        SetID = 0x0006,
        SetMAC2 = 0x0009,
        DiscoverPorts = 0x000A,
        DiscoverPortsReply = 0x000B,
        DiscoverEO = 0x000C,
        DiscoverEOReply = 0x000D,
        SetMACIPSN = 0x000E,
        DMXFrame = 0x0101,
        SetValue = 0x0103,
        DMXTimerSync = 0x0104,
        GetValue = 0x0105,
        DeviceVariableReply = 0x0106,
        PortOut = 0x0108,
        PortOutSync = 0x0109,
        GetArray = 0x010A,
        GetArrayReply = 0x010B,
        BlinkScan = 0x0201,
        BlinkScanReply = 0x0202,
        BlinkEERead = 0x0203,
        ByteReadReply = 0x0204,
        BEBlinkScanReply = 0x0205,
        CAScanReply = 0x0206,
        BlinkScan2 = 0x0207,
        BlinkScan2Reply = 0x0208,
        ExtPromRead = 0x0209,
        ExtPromTokenReply = 0x020A
    };
    Q_ENUM(PacketType)

    static constexpr quint32 magic = 0x4ADC0104;
    static constexpr int headerSize = 12;
    /** Largest datagram read; longer ones are parsed as cut to this size. */
    static constexpr int maxDatagramSize = 4096;
    /** Most slots a DMX frame or port output packet may carry. */
    static constexpr int maxSlots = 512;

    /**
     * Creates the socket (ephemeral port, every IPv4 address) and sends the
     * port-output sync packet five times.
     */
    explicit Dravon(QObject *parent = nullptr);
    ~Dravon() override;

    /** The library's version, "2.4.0". */
    static QString getVersion();

    /** Fills the 12-byte header at @p buffer. */
    static void createHeader(char *buffer, ushort type, uint sequence);

    /**
     * Binds the socket to @p entry (see DravonSocket::setInterface()) and
     * sends the port-output sync packet five times. False, nothing sent,
     * when binding fails.
     */
    bool setInterface(const QNetworkAddressEntry &entry);
    /** The socket's interface address, netmask (host order) and broadcast. */
    void getInterface(QHostAddress &ip, uint &netmask, QHostAddress &broadcast) const;
    /**
     * Drops the socket (pending replies are lost) and makes a fresh one on an
     * ephemeral port, not bound to an interface.
     */
    void resetSocket();
    /** The current socket; replaced by resetSocket(). */
    DravonSocket *socket() const { return m_socket; }

    /**
     * Discover request to the interface broadcast. Its target combines the
     * interface's network part with @p ip's host part, so "255.255.255.255"
     * asks the interface's whole subnet. False when @p ip is no IPv4 text or
     * the target is 255.255.255.255 (no interface chosen yet).
     */
    bool sendDiscover(const char *ip);
    /** Extended discover, addressed exactly as sendDiscover(). */
    bool sendDiscoverEO(const char *ip);
    /**
     * Discover request sent straight to the device at @p ip (target and
     * destination both @p ip), for devices that broadcasts cannot reach,
     * such as those behind a router. Needs no interface. False when @p ip
     * is no IPv4 text or the write fails.
     */
    bool sendDiscoverTo(const char *ip);
    /** Asks the device at @p ip for its ports. */
    bool sendDiscoverPorts(const char *ip);
    /** Moves the device with the six-byte @p mac to the address @p ip. */
    bool sendSetIP(char *const mac, const char *ip);
    /** Set MAC; @p mac is six bytes. */
    bool sendSetMAC(char *const mac, uint value);
    /** Set MAC, two-address form: the device @p currentMac takes @p newMac. */
    bool sendSetMAC2(char *const currentMac, char *const newMac, uint value);
    /** The device @p currentMac takes @p newMac, address @p ip and serial @p sn. */
    bool sendSetMACIPSN(char *const currentMac, char *const newMac, const char *ip, uint sn);
    /** Sets the universe of the device at @p ip. */
    bool sendSetUniverse(const char *ip, uint universe);
    /** Sets the identification text of the device at @p ip (15 characters kept). */
    bool sendSetID(const char *ip, const char *id);

    /**
     * DMX frame to @p ip with the given start code, flags and @p len slots
     * (0 to maxSlots; @p data may be null only when @p len is 0).
     */
    bool sendDMXFrame(const char *ip, unsigned char startCode, unsigned short flags,
                      unsigned char *data, int len);
    /** DMX frame to the interface broadcast. */
    bool sendDMXFrame(unsigned char startCode, unsigned short flags, unsigned char *data, int len);
    /** DMX frame to @p ip for one @p universe. */
    bool sendDMXFrame(const char *ip, ulong universe, unsigned char startCode, unsigned short flags,
                      unsigned char *data, int len);
    /** DMX frame to @p ip with start code 0 and flags 0. */
    bool sendDMXFrame(const char *ip, unsigned char *data, int len);
    /** Refresh of a BE port: DMX frame to @p ip, start code 0xBE, one slot: @p port. */
    bool sendBERefresh(const char *ip, unsigned char port);
    /** DMX timer sync to the interface broadcast. */
    bool sendDMXTimerSync();

    /** Sets value @p valueID of the device at @p ip. */
    bool sendSetValue(const char *ip, ushort valueID, uint value);
    /** Asks the device at @p ip for value @p valueID. */
    bool getValue(const char *ip, ushort valueID);
    /** Asks the device at @p ip for array @p valueID. */
    bool getArray(const char *ip, ushort valueID);

    /**
     * Port output to @p ip, or to the interface broadcast when @p ip is null.
     * Refused when @p len exceeds maxSlots, @p flags 0xFFFF, @p startcode
     * 0xFF or @p uni 32 bits.
     */
    bool sendPortOut(const char *ip, ulong uni, uchar port, uint flags, uint len, uint startcode,
                     const unsigned char *data);
    /** Port output to the interface broadcast. */
    bool sendPortOut(ulong uni, uchar port, uint flags, uint len, uint startcode,
                     const unsigned char *data);
    /** Port-output sync to the interface broadcast. */
    bool sendPortOutSync();

    /** Blink scan of the device at @p ip. */
    bool sendBlinkScan(const char *ip);
    /** Blink scan 2 of the device at @p ip. */
    bool sendBlinkScan2(const char *ip);
    /** Reads EEPROM byte @p addr of fixture @p sn behind the device at @p ip. */
    bool sendBlinkEERead(const char *ip, ulong sn, uchar addr);
    /**
     * General byte read: @p kind 0 reads EEPROM byte @p addr, 1 to 9 token
     * @p addr of that pixel, 11 and above telemetry id (kind << 8 | addr).
     */
    bool getBlinkEERead(const char *ip, ulong sn, uchar addr, uchar kind);
    /** Reads extended PROM token @p token of fixture @p sn. */
    bool getExtPromByte(const char *ip, ulong sn, ushort token);

    /**
     * Decodes one datagram of @p len bytes from @p sender and emits its
     * signal, exactly as checkSocket() does for each datagram it reads.
     * Never reads outside [data, data + len).
     */
    void processDatagram(const char *data, int len, const QHostAddress &sender);

public Q_SLOTS:
    /** Reads and decodes every pending datagram. */
    void checkSocket();
    /** Carries out requestSyncPacket(): sendPortOutSync(). */
    void handleSyncPacketRequest();
    /** Carries out requestSendPortOut(): sendPortOut(). */
    void handleSendPortOutRequest(const char *ip, ulong uni, uchar port, uint flags, uint len,
                                  uint startcode, const unsigned char *data);

Q_SIGNALS:
    /** Discover reply; @p mac is six bytes, not terminated. */
    void signalDiscoverResponse(char *mac, uint ip, uint sn, ushort ver, uint uni, char *verstring,
                                char *idstring);
    void signalDiscoverEOResponse(char *mac, ulong ip, ulong sn, ushort ver, ulong uni,
                                  char *verstring, char *idstring);
    /**
     * Discover-ports reply: @p portcount port numbers and as many port
     * types. Both arrays belong to this object and are freed when the
     * signal returns; receivers copy them and never free them.
     */
    void signalDiscoverPortsResponse(ulong ip, uchar portcount, unsigned char *portnums,
                                     unsigned char *porttypes);
    void signalBlinkScanResponse(ulong ip, ulong sn);
    /**
     * All entries of a blink-scan-2 reply, after the per-entry signals. The
     * entries and their values belong to this object, as the arrays of the
     * two per-entry signals do, and are freed when the signal returns.
     */
    void signalBlinkScan2Response(ulong ip, uchar entryCount, uchar more,
                                  BlinkScan2_Reply_Entry *entryArray);
    void signalBlinkScan2SNResponse(ulong ip, uchar portNum, uchar snCount, ulong *snArray);
    void signalBlinkScan2CAResponse(ulong ip, uchar portNum, uchar fixtureCount,
                                    ulong *fixtureSizeArray);
    void signalCAScanResponse(ulong ip, uchar port1, uchar port2);
    /** @p sn is six bytes, most significant first. */
    void signalBEBlinkScanResponse(ulong ip, uchar port, unsigned char *sn);
    void signalBlinkEEReadResponse(ulong ip, ulong sn, uchar addr, uchar b);
    void signalPixelTokenByteReadResponse(uint ip, uint sn, uchar pixel, uchar token,
                                          uchar byteVal);
    void signalTelemetryByteReadResponse(uint ip, uint sn, ushort telemetryID, uchar byteVal);
    void signalExtPromTokenReadResponse(uint ip, uint sn, ushort token, uchar byteVal);
    void signalDeviceVariableReply(ulong ip, ushort valueID, uint value);
    void signalGetArrayReply(uint ip, uint valueID, QVector<quint32> &getValues);

    /** Asks for sendPortOutSync() on the object's thread; may be emitted from any thread. */
    void requestSyncPacket();
    /**
     * Asks for sendPortOut() on the object's thread; may be emitted from any
     * thread. The texts and data must stay valid until the request is
     * carried out.
     */
    void requestSendPortOut(const char *, ulong, uchar, uint, uint, uint, const unsigned char *);

private:
    bool sendTo(const char *ip, const QByteArray &packet);
    bool sendBroadcast(const QByteArray &packet);
    bool sendDiscoverType(ushort type, const char *ip);
    void sendStartupSync();
    void parseDiscoverReply(ushort type, const char *data, int len);
    void parseDiscoverPortsReply(const char *data, int len);
    void parseByteReadReply(const char *data, int len, quint32 senderIp);
    void parseBlinkScan2Reply(const char *data, int len);
    void parseGetArrayReply(const char *data, int len, quint32 senderIp);

    DravonSocket *m_socket = nullptr;
};
