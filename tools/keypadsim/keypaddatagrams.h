// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

/**
 * The keypad's UDP datagrams, built and read byte by byte: Dravon packets
 * on port 6038 (discover request and reply, set-IP; layouts in the comment
 * of dravonlib/dravon.h) and the keypad's own datagrams (heartbeat on 6038,
 * scene selected and configuration changed on 6041, as
 * MSPComm::processPendingKeyPadDatagrams() in keypadmgr/device/mspcomm.cpp
 * reads them), which reuse the 12-byte Dravon header. The constants below
 * hold each type and length. Multi-byte fields are little-endian; IPv4
 * addresses in payloads are in network byte order.
 */
class KeypadDatagrams
{
public:
    static constexpr quint32 magic = 0x4ADC0104;
    static constexpr quint16 protocolVersion = 1;
    static constexpr quint16 discoverRequestType = 0x0001;
    static constexpr quint16 discoverReplyType = 0x0002;
    static constexpr quint16 setIpType = 0x0003;
    static constexpr quint16 sceneSelectedType = 0x0301;
    static constexpr quint16 heartbeatType = 0x0302;
    static constexpr quint16 configChangedType = 0x0303;
    static constexpr quint32 setIpAccessWord = 0x5EC1A7B2;
    static constexpr int headerSize = 12;
    static constexpr int discoverRequestSize = 16;
    static constexpr int setIpSize = 28;
    static constexpr int sceneSelectedSize = 16;
    static constexpr int configChangedSize = 17;
    static constexpr int heartbeatSize = 16;
    static constexpr int maxTextLength = 511; ///< the program copies each text into 512 bytes
    static constexpr quint16 dravonPort = 6038;
    static constexpr quint16 keypadPort = 6041;
    /** The keypad's part number, third line of its version text. */
    static constexpr char partNumber[] = "XKP-204417-00";

    /** What a discover reply tells about the keypad. */
    struct DiscoverInfo
    {
        quint32 ip = 0; ///< host order
        QByteArray mac; ///< six bytes
        quint16 version = 0;
        quint16 serial = 0;
        quint32 universe = 0;
        QByteArray versionText;
        QByteArray identification;
    };

    static QByteArray header(quint16 type, quint32 sequence = 0);

    static QByteArray discoverReply(const DiscoverInfo &info);
    /**
     * The four-line version text: firmware, hardware, part number and
     * serial, each after a colon. The program takes the part after the
     * first colon of the third line, untrimmed, as the device type.
     */
    static QByteArray versionText(const QString &firmware, const QString &part, quint16 serial);
    /** The 16-bit version number: major in the high byte, minor in the low byte. */
    static quint16 versionNumber(const QString &firmware);

    static QByteArray sceneSelected(int scene);
    static QByteArray configurationChanged();
    static QByteArray heartbeat(quint32 sequence);

    /** The type of a datagram that starts with a valid header, or 0. */
    static quint16 typeOf(const QByteArray &datagram);
    /** A discover request; target receives the address it carries (host order). */
    static bool parseDiscoverRequest(const QByteArray &datagram, quint32 *target);
    /** A set-IP request with the right access word; mac and ip (host order) receive its fields. */
    static bool parseSetIp(const QByteArray &datagram, QByteArray *mac, quint32 *ip);

    /** "02:4c:4b:00:00:01" (or with '-') into six bytes; empty when malformed. */
    static QByteArray parseMac(const QString &text);
    static QString macText(const QByteArray &mac);
};
