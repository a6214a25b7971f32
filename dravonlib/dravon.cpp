// SPDX-License-Identifier: GPL-3.0-or-later
#include "dravon.h"
#include "dravonlogging.h"
#include "dravonsocket.h"

#include "platformsockets.h"

#include <QtEndian>

#include <cstring>
#include <memory>
#include <vector>

Q_LOGGING_CATEGORY(lcDravon, "dravon")

namespace {

constexpr quint32 ipAccessWord = 0x5EC1A7B2;
constexpr quint32 macAccessWord = 0x7A11F00E;
constexpr int startupSyncCount = 5;
constexpr int textBufferSize = 512;
constexpr int macSize = 6;
constexpr int idTextSize = 16;
constexpr unsigned char beRefreshStartCode = 0xBE;
constexpr quint32 noUniverse = 0xFFFFFFFF;

// A request under construction: zero-filled, header in place.
class Packet
{
public:
    Packet(ushort type, int size)
        : m_bytes(size, '\0')
    {
        Dravon::createHeader(m_bytes.data(), type, 0);
    }

    Packet &u8(int offset, quint8 value)
    {
        m_bytes[offset] = char(value);
        return *this;
    }
    Packet &u16(int offset, quint16 value)
    {
        qToLittleEndian(value, m_bytes.data() + offset);
        return *this;
    }
    Packet &u32(int offset, quint32 value)
    {
        qToLittleEndian(value, m_bytes.data() + offset);
        return *this;
    }
    // An IPv4 address as inet_addr() returns it, already in network order.
    Packet &ip(int offset, quint32 networkOrder)
    {
        std::memcpy(m_bytes.data() + offset, &networkOrder, sizeof networkOrder);
        return *this;
    }
    // An IPv4 address in host order, written in network order.
    Packet &hostIp(int offset, quint32 hostOrder)
    {
        qToBigEndian(hostOrder, m_bytes.data() + offset);
        return *this;
    }
    Packet &bytes(int offset, const void *source, int n)
    {
        if (n > 0)
            std::memcpy(m_bytes.data() + offset, source, size_t(n));
        return *this;
    }

    const QByteArray &data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// inet_addr() with a null check; false for text that does not convert.
bool convertAddress(const char *ip, quint32 *networkOrder)
{
    if (!ip)
        return false;
    const quint32 value = inet_addr(ip);
    if (value == INADDR_NONE)
        return false;
    *networkOrder = value;
    return true;
}

// inet_addr() without the check, for the requests that send regardless.
quint32 addressField(const char *ip)
{
    return ip ? quint32(inet_addr(ip)) : quint32(INADDR_NONE);
}

quint8 u8At(const char *data, int offset)
{
    return quint8(data[offset]);
}
quint16 u16At(const char *data, int offset)
{
    return qFromLittleEndian<quint16>(data + offset);
}
quint32 u32At(const char *data, int offset)
{
    return qFromLittleEndian<quint32>(data + offset);
}
// An IPv4 address in network order, returned in host order.
quint32 ipAt(const char *data, int offset)
{
    quint32 value;
    std::memcpy(&value, data + offset, sizeof value);
    return ntohl(value);
}

// Copies the text at [from, end) up to its NUL, at most 511 characters, into
// a cleared 512-byte buffer. Returns where the next text starts: after the
// NUL, or at end when the datagram ends inside the text.
int copyText(const char *data, int from, int end, char *out)
{
    const int available = end - from;
    const void *nul = available > 0 ? std::memchr(data + from, 0, size_t(available)) : nullptr;
    const int length = nul ? int(static_cast<const char *>(nul) - (data + from)) : available;
    const int copied = qMin(length, textBufferSize - 1);
    if (copied > 0)
        std::memcpy(out, data + from, size_t(copied));
    out[copied] = '\0';
    return nul ? from + length + 1 : end;
}

quint32 senderIPv4(const QHostAddress &sender)
{
    bool ok = false;
    const quint32 ip = sender.toIPv4Address(&ok);
    return ok ? ip : 0;
}

} // namespace

Dravon::Dravon(QObject *parent)
    : QObject(parent)
    , m_socket(new DravonSocket(this))
{
    // The request signals may be emitted from other threads; their pointer
    // arguments then travel through a queued connection.
    qRegisterMetaType<const char *>("const char*");
    qRegisterMetaType<const unsigned char *>("const uchar*");
    qRegisterMetaType<const unsigned char *>("const unsigned char*");

    connect(m_socket, &QUdpSocket::readyRead, this, &Dravon::checkSocket);
    connect(this, &Dravon::requestSyncPacket, this, &Dravon::handleSyncPacketRequest);
    connect(this, &Dravon::requestSendPortOut, this, &Dravon::handleSendPortOutRequest);
    sendStartupSync();
}

Dravon::~Dravon() = default;

QString Dravon::getVersion()
{
    return QStringLiteral("2.4.0");
}

void Dravon::createHeader(char *buffer, ushort type, uint sequence)
{
    qToLittleEndian<quint32>(magic, buffer);
    qToLittleEndian<quint16>(1, buffer + 4);
    qToLittleEndian<quint16>(type, buffer + 6);
    qToLittleEndian<quint32>(sequence, buffer + 8);
}

void Dravon::sendStartupSync()
{
    for (int i = 0; i < startupSyncCount; ++i)
        sendPortOutSync();
}

bool Dravon::setInterface(const QNetworkAddressEntry &entry)
{
    if (!m_socket || !m_socket->setInterface(entry))
        return false;
    sendStartupSync();
    return true;
}

void Dravon::getInterface(QHostAddress &ip, uint &netmask, QHostAddress &broadcast) const
{
    if (!m_socket)
        return;
    ip = m_socket->interfaceAddress();
    netmask = m_socket->netmask();
    broadcast = m_socket->broadcastAddress();
}

void Dravon::resetSocket()
{
    if (m_socket) {
        m_socket->release();
        m_socket->disconnect();
        m_socket->deleteLater();
    }
    m_socket = new DravonSocket(this);
    connect(m_socket, &QUdpSocket::readyRead, this, &Dravon::checkSocket);
}

bool Dravon::sendTo(const char *ip, const QByteArray &packet)
{
    return m_socket && m_socket->sendPacket(ip, packet.constData(), packet.size());
}

bool Dravon::sendBroadcast(const QByteArray &packet)
{
    return m_socket && m_socket->send(packet.constData(), packet.size());
}

bool Dravon::sendDiscoverType(ushort type, const char *ip)
{
    if (!ip || !m_socket)
        return false;
    quint32 target = INADDR_NONE;
    // inet_addr() cannot tell "255.255.255.255" from text that is no
    // address; only the former may widen to the subnet's broadcast.
    if (!convertAddress(ip, &target)
        && QHostAddress(QString::fromLatin1(ip)) != QHostAddress(QHostAddress::Broadcast))
        return false;

    const quint32 interfaceIp = m_socket->interfaceAddress().toIPv4Address();
    const quint32 mask = m_socket->netmask();
    const quint32 combined = (interfaceIp & mask) | (ntohl(target) & ~mask);
    if (combined == 0xFFFFFFFFu)
        return false;

    return sendBroadcast(Packet(type, 16).hostIp(12, combined).data());
}

bool Dravon::sendDiscover(const char *ip)
{
    return sendDiscoverType(Discover, ip);
}

bool Dravon::sendDiscoverEO(const char *ip)
{
    return sendDiscoverType(DiscoverEO, ip);
}

bool Dravon::sendDiscoverTo(const char *ip)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(Discover, 16).ip(12, target).data());
}

bool Dravon::sendDiscoverPorts(const char *ip)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(DiscoverPorts, 16).ip(8, target).data());
}

bool Dravon::sendSetIP(char *const mac, const char *ip)
{
    quint32 address;
    if (!mac || !convertAddress(ip, &address))
        return false;
    return sendBroadcast(Packet(SetIP, 28)
                             .u32(12, ipAccessWord)
                             .bytes(16, mac, macSize)
                             .ip(24, address)
                             .data());
}

bool Dravon::sendSetMAC(char *const mac, uint value)
{
    if (!mac)
        return false;
    return sendBroadcast(Packet(SetMAC, 32)
                             .u32(12, macAccessWord)
                             .bytes(16, mac, 4)
                             .bytes(20, mac, macSize)
                             .u32(28, value)
                             .data());
}

bool Dravon::sendSetMAC2(char *const currentMac, char *const newMac, uint value)
{
    if (!currentMac || !newMac)
        return false;
    return sendBroadcast(Packet(SetMAC2, 40)
                             .u32(12, macAccessWord)
                             .bytes(16, currentMac, macSize)
                             .bytes(24, newMac, macSize)
                             .u32(32, value)
                             .data());
}

bool Dravon::sendSetMACIPSN(char *const currentMac, char *const newMac, const char *ip, uint sn)
{
    quint32 address;
    if (!currentMac || !newMac || !convertAddress(ip, &address))
        return false;
    return sendBroadcast(Packet(SetMACIPSN, 44)
                             .u32(12, macAccessWord)
                             .bytes(16, currentMac, macSize)
                             .bytes(24, newMac, macSize)
                             .ip(32, address)
                             .u32(36, sn)
                             .data());
}

bool Dravon::sendSetUniverse(const char *ip, uint universe)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(SetUniverse, 20).u32(12, ipAccessWord).u32(16, universe).data());
}

bool Dravon::sendSetID(const char *ip, const char *id)
{
    quint32 target;
    if (!id || !convertAddress(ip, &target))
        return false;
    // The field keeps a terminating NUL; longer texts are cut.
    const int length = int(qstrnlen(id, idTextSize - 1));
    return sendTo(ip, Packet(SetID, 32).u32(12, ipAccessWord).bytes(16, id, length).data());
}

namespace {

// The DMX frame, or an empty array when the arguments do not fit it.
QByteArray dmxFrame(quint64 universe, unsigned char startCode, unsigned short flags,
                    const unsigned char *data, int len)
{
    if (len < 0 || len > Dravon::maxSlots || (len > 0 && !data) || universe > 0xFFFFFFFFu)
        return QByteArray();
    return Packet(Dravon::DMXFrame, 21 + len)
        .u16(14, flags)
        .u32(16, quint32(universe))
        .u8(20, startCode)
        .bytes(21, data, len)
        .data();
}

} // namespace

bool Dravon::sendDMXFrame(const char *ip, unsigned char startCode, unsigned short flags,
                          unsigned char *data, int len)
{
    const QByteArray frame = dmxFrame(noUniverse, startCode, flags, data, len);
    return !frame.isEmpty() && sendTo(ip, frame);
}

bool Dravon::sendDMXFrame(unsigned char startCode, unsigned short flags, unsigned char *data,
                          int len)
{
    const QByteArray frame = dmxFrame(noUniverse, startCode, flags, data, len);
    return !frame.isEmpty() && sendBroadcast(frame);
}

bool Dravon::sendDMXFrame(const char *ip, ulong universe, unsigned char startCode,
                          unsigned short flags, unsigned char *data, int len)
{
    const QByteArray frame = dmxFrame(universe, startCode, flags, data, len);
    return !frame.isEmpty() && sendTo(ip, frame);
}

bool Dravon::sendDMXFrame(const char *ip, unsigned char *data, int len)
{
    return sendDMXFrame(ip, 0, 0, data, len);
}

bool Dravon::sendBERefresh(const char *ip, unsigned char port)
{
    return sendDMXFrame(ip, beRefreshStartCode, 0, &port, 1);
}

bool Dravon::sendDMXTimerSync()
{
    return sendBroadcast(Packet(DMXTimerSync, 16).data());
}

bool Dravon::sendSetValue(const char *ip, ushort valueID, uint value)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(SetValue, 20).ip(8, target).u16(12, valueID).u32(16, value).data());
}

bool Dravon::getValue(const char *ip, ushort valueID)
{
    return sendTo(ip, Packet(GetValue, 16).u16(12, valueID).data());
}

bool Dravon::getArray(const char *ip, ushort valueID)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(GetArray, 16).u16(12, valueID).data());
}

bool Dravon::sendPortOut(const char *ip, ulong uni, uchar port, uint flags, uint len,
                         uint startcode, const unsigned char *data)
{
    if (len > uint(maxSlots) || (len > 0 && !data) || quint64(uni) > 0xFFFFFFFFu
        || flags > 0xFFFF || startcode > 0xFF)
        return false;
    const QByteArray packet = Packet(PortOut, 23 + int(len))
                                  .u32(12, quint32(uni))
                                  .u8(16, port)
                                  .u16(18, quint16(flags))
                                  .u16(20, quint16(len))
                                  .u8(22, quint8(startcode))
                                  .bytes(23, data, int(len))
                                  .data();
    return ip ? sendTo(ip, packet) : sendBroadcast(packet);
}

bool Dravon::sendPortOut(ulong uni, uchar port, uint flags, uint len, uint startcode,
                         const unsigned char *data)
{
    return sendPortOut(nullptr, uni, port, flags, len, startcode, data);
}

bool Dravon::sendPortOutSync()
{
    return sendBroadcast(Packet(PortOutSync, 16).data());
}

bool Dravon::sendBlinkScan(const char *ip)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(BlinkScan, 16).ip(8, target).data());
}

bool Dravon::sendBlinkScan2(const char *ip)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return sendTo(ip, Packet(BlinkScan2, 16).ip(8, target).data());
}

bool Dravon::sendBlinkEERead(const char *ip, ulong sn, uchar addr)
{
    quint32 target;
    if (!convertAddress(ip, &target))
        return false;
    return getBlinkEERead(ip, sn, addr, 0);
}

bool Dravon::getBlinkEERead(const char *ip, ulong sn, uchar addr, uchar kind)
{
    if (quint64(sn) > 0xFFFFFFFFu)
        return false;
    return sendTo(ip, Packet(BlinkEERead, 20)
                          .ip(8, addressField(ip))
                          .u32(12, quint32(sn))
                          .u8(16, addr)
                          .u8(17, kind)
                          .data());
}

bool Dravon::getExtPromByte(const char *ip, ulong sn, ushort token)
{
    if (quint64(sn) > 0xFFFFFFFFu)
        return false;
    return sendTo(ip, Packet(ExtPromRead, 20)
                          .ip(8, addressField(ip))
                          .u32(12, quint32(sn))
                          .u16(16, token)
                          .data());
}

void Dravon::handleSyncPacketRequest()
{
    sendPortOutSync();
}

void Dravon::handleSendPortOutRequest(const char *ip, ulong uni, uchar port, uint flags, uint len,
                                      uint startcode, const unsigned char *data)
{
    sendPortOut(ip, uni, port, flags, len, startcode, data);
}

// ---- replies ---------------------------------------------------------------

void Dravon::checkSocket()
{
    // The socket is looked up again for every datagram: a receiver may call
    // resetSocket() from inside a signal.
    while (DravonSocket *socket = m_socket) {
        // Each datagram gets a buffer of exactly its own size (up to the
        // limit), so a decoder that read past a datagram's end would be
        // caught by the address sanitizer instead of reading stale bytes.
        const qint64 pending = socket->pendingDatagramSize();
        const int size = int(qBound<qint64>(1, pending, maxDatagramSize));
        std::unique_ptr<char[]> buffer(new char[size]);
        QHostAddress sender;
        unsigned short port = 0;
        int length = 0;
        if (!socket->readPacket(buffer.get(), size, &sender, &port, &length))
            break;
        processDatagram(buffer.get(), length, sender);
    }
}

void Dravon::processDatagram(const char *data, int len, const QHostAddress &sender)
{
    if (!data || len < headerSize)
        return;
    const ushort type = u16At(data, 6);
    const quint32 senderIp = senderIPv4(sender);

    // Fixed part of each reply type; shorter datagrams are dropped.
    int minimum = 0;
    switch (type) {
    case DiscoverReply:
    case DiscoverEOReply: minimum = 32; break;
    case DiscoverPortsReply: minimum = 16; break;
    case DeviceVariableReply: minimum = 20; break;
    case GetArrayReply: minimum = 20; break;
    case BlinkScanReply: minimum = 14; break;
    case ByteReadReply: minimum = 19; break;
    case BEBlinkScanReply: minimum = 20; break;
    case CAScanReply: minimum = 14; break;
    case BlinkScan2Reply: minimum = 16; break;
    case ExtPromTokenReply: minimum = 19; break;
    default:
        qCDebug(lcDravon) << "ignoring datagram of type" << Qt::hex << type;
        return;
    }
    if (len < minimum) {
        qCDebug(lcDravon) << "dropping short reply of type" << Qt::hex << type << Qt::dec << len
                          << "bytes";
        return;
    }

    switch (type) {
    case DiscoverReply:
    case DiscoverEOReply:
        parseDiscoverReply(type, data, len);
        break;
    case DiscoverPortsReply:
        parseDiscoverPortsReply(data, len);
        break;
    case DeviceVariableReply:
        Q_EMIT signalDeviceVariableReply(senderIp, u16At(data, 12), u32At(data, 16));
        break;
    case GetArrayReply:
        parseGetArrayReply(data, len, senderIp);
        break;
    case BlinkScanReply:
        Q_EMIT signalBlinkScanResponse(ipAt(data, 8), u16At(data, 12));
        break;
    case ByteReadReply:
        parseByteReadReply(data, len, senderIp);
        break;
    case BEBlinkScanReply: {
        unsigned char sn[6];
        for (int i = 0; i < 6; ++i)
            sn[i] = u8At(data, 19 - i);
        Q_EMIT signalBEBlinkScanResponse(ipAt(data, 8), u8At(data, 12), sn);
        break;
    }
    case CAScanReply:
        Q_EMIT signalCAScanResponse(ipAt(data, 8), u8At(data, 12), u8At(data, 13));
        break;
    case BlinkScan2Reply:
        parseBlinkScan2Reply(data, len);
        break;
    case ExtPromTokenReply:
        Q_EMIT signalExtPromTokenReadResponse(senderIp, u16At(data, 12), u16At(data, 16),
                                              u8At(data, 18));
        break;
    }
}

void Dravon::parseDiscoverReply(ushort type, const char *data, int len)
{
    char mac[macSize];
    std::memcpy(mac, data + 16, macSize);
    char verstring[textBufferSize] = {};
    char idstring[textBufferSize] = {};
    const int idStart = copyText(data, 32, len, verstring);
    copyText(data, idStart, len, idstring);

    const quint32 ip = ipAt(data, 12);
    const ushort ver = u16At(data, 22);
    const quint32 sn = u16At(data, 24);
    const quint32 uni = u32At(data, 28);
    if (type == DiscoverReply)
        Q_EMIT signalDiscoverResponse(mac, ip, sn, ver, uni, verstring, idstring);
    else
        Q_EMIT signalDiscoverEOResponse(mac, ip, sn, ver, uni, verstring, idstring);
}

void Dravon::parseDiscoverPortsReply(const char *data, int len)
{
    constexpr int entrySize = 8;
    const int count = u8At(data, 12);
    if (16 + count * entrySize > len) {
        qCDebug(lcDravon) << "dropping discover-ports reply: port count" << count
                          << "past the end of" << len << "bytes";
        return;
    }
    std::vector<unsigned char> numbers(size_t(count) + 1);
    std::vector<unsigned char> types(size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        numbers[size_t(i)] = u8At(data, 16 + i * entrySize);
        types[size_t(i)] = u8At(data, 16 + i * entrySize + 1);
    }
    Q_EMIT signalDiscoverPortsResponse(ipAt(data, 8), uchar(count), numbers.data(), types.data());
}

void Dravon::parseByteReadReply(const char *data, int, quint32 senderIp)
{
    const quint32 sn = u16At(data, 12);
    const uchar kind = u8At(data, 17);
    const uchar value = u8At(data, 18);
    if (kind == 0)
        Q_EMIT signalBlinkEEReadResponse(senderIp, sn, u8At(data, 16), value);
    else if (kind <= 9)
        Q_EMIT signalPixelTokenByteReadResponse(senderIp, sn, kind, u8At(data, 16), value);
    else if (kind >= 11)
        Q_EMIT signalTelemetryByteReadResponse(senderIp, sn, u16At(data, 16), value);
}

void Dravon::parseBlinkScan2Reply(const char *data, int len)
{
    const int entryCount = u8At(data, 12);
    std::vector<BlinkScan2_Reply_Entry> entries(size_t(entryCount) + 1);
    std::vector<std::vector<ulong>> values(entries.size());

    // Everything is checked before the first signal, so a reply that runs
    // past its end gives no signal at all.
    int offset = 16;
    for (int i = 0; i < entryCount; ++i) {
        if (offset + 4 > len) {
            qCDebug(lcDravon) << "dropping blink-scan-2 reply: entry" << i << "past the end";
            return;
        }
        const int length = u8At(data, offset + 2);
        if (offset + 4 + length > len) {
            qCDebug(lcDravon) << "dropping blink-scan-2 reply: entry" << i << "data past the end";
            return;
        }
        const int count = length / 4;
        std::vector<ulong> &entryValues = values[size_t(i)];
        entryValues.resize(size_t(count) + 1);
        for (int v = 0; v < count; ++v)
            entryValues[size_t(v)] = u32At(data, offset + 4 + 4 * v);
        BlinkScan2_Reply_Entry &entry = entries[size_t(i)];
        entry.port = u8At(data, offset);
        entry.kind = u8At(data, offset + 1);
        entry.count = uchar(count);
        entry.values = entryValues.data();
        offset += 4 + length;
    }

    const ulong ip = ipAt(data, 8);
    for (int i = 0; i < entryCount; ++i) {
        const BlinkScan2_Reply_Entry &entry = entries[size_t(i)];
        if (entry.kind == 1)
            Q_EMIT signalBlinkScan2SNResponse(ip, entry.port, entry.count, entry.values);
        else if (entry.kind == 2)
            Q_EMIT signalBlinkScan2CAResponse(ip, entry.port, entry.count, entry.values);
    }
    Q_EMIT signalBlinkScan2Response(ip, uchar(entryCount), u8At(data, 13), entries.data());
}

void Dravon::parseGetArrayReply(const char *data, int len, quint32 senderIp)
{
    const int count = u16At(data, 18);
    if (20 + 4 * count > len) {
        qCDebug(lcDravon) << "dropping array reply: count" << count << "past the end of" << len
                          << "bytes";
        return;
    }
    QVector<quint32> getValues(count);
    for (int i = 0; i < count; ++i)
        getValues[i] = u32At(data, 20 + 4 * i);
    Q_EMIT signalGetArrayReply(senderIp, u16At(data, 12), getValues);
}
