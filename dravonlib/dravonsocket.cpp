// SPDX-License-Identifier: GPL-3.0-or-later
#include "dravonsocket.h"
#include "dravonlogging.h"


namespace {
constexpr int disconnectTimeoutMs = 30000;
}

DravonSocket::DravonSocket(QObject *parent)
    : QUdpSocket(parent)
{
    // IPv4 only: the protocol carries IPv4 addresses and relies on IPv4
    // broadcasts, which a dual-stack socket would not send reliably.
    if (!bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        qCDebug(lcDravon) << "DravonSocket failed to bind to port:" << errorString();
    m_interfaceAddress = localAddress();
    m_broadcastAddress = QHostAddress(QHostAddress::Broadcast);
}

DravonSocket::~DravonSocket() = default;

void DravonSocket::release()
{
    disconnectFromHost();
    if (state() != QAbstractSocket::UnconnectedState)
        waitForDisconnected(disconnectTimeoutMs);
}

bool DravonSocket::setInterface(const QNetworkAddressEntry &entry)
{
    const QHostAddress ip = entry.ip();
    if (ip.protocol() != QAbstractSocket::IPv4Protocol) {
        // Refused before releasing the current binding, so the socket stays
        // usable on its old interface.
        qCDebug(lcDravon) << "bind failed:" << "not an IPv4 address:" << ip;
        return false;
    }
    release();
    if (!bind(ip, 0)) {
        qCDebug(lcDravon) << "bind failed:" << errorString();
        return false;
    }
    m_broadcastAddress = entry.broadcast();
    m_interfaceAddress = ip;
    m_netmask = entry.netmask().toIPv4Address();
    return true;
}

bool DravonSocket::writeTo(const QHostAddress &address, const char *data, int len)
{
    if (!data || len < 0)
        return false;
    if (address.isNull()) {
        // QUdpSocket would write a null address as 0.0.0.0, which Linux
        // delivers to this very host.
        qCDebug(lcDravon) << "DravonSocket write error: " << "no valid address";
        return false;
    }
    if (writeDatagram(data, len, address, dravonPort) != len) {
        qCDebug(lcDravon) << "DravonSocket write error: " << error() << errorString();
        return false;
    }
    return true;
}

bool DravonSocket::sendPacket(const char *ip, const char *data, int len)
{
    if (!ip)
        return false;
    return writeTo(QHostAddress(QString::fromLatin1(ip)), data, len);
}

bool DravonSocket::send(const char *data, int len)
{
    return writeTo(m_broadcastAddress, data, len);
}

bool DravonSocket::readPacket(char *buffer, int size, QHostAddress *sender, unsigned short *port,
                              int *length)
{
    if (!hasPendingDatagrams())
        return false;
    quint16 senderPort = 0;
    const qint64 n = readDatagram(buffer, size, sender, &senderPort);
    if (n < 0) {
        qCDebug(lcDravon) << "DravonSocket read error: " << error() << errorString();
        return false;
    }
    if (port)
        *port = senderPort;
    if (length)
        *length = int(n);
    return true;
}
