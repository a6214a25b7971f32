// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dravonlib_export.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QUdpSocket>

/**
 * The UDP socket a Dravon object talks through.
 *
 * It remembers the network interface it is bound to: the interface's IPv4
 * address, its broadcast address and its netmask. Until setInterface()
 * succeeds the socket is bound to an ephemeral port on every IPv4 address,
 * its broadcast address is 255.255.255.255 and its netmask 0.
 *
 * Every datagram is sent to the protocol's port, 6038.
 */
class DRAVONLIB_EXPORT DravonSocket : public QUdpSocket
{
    Q_OBJECT
    Q_DISABLE_COPY(DravonSocket)

public:
    /** The protocol's UDP port, the destination of every request. */
    static constexpr quint16 dravonPort = 6038;

    /** Binds to an ephemeral port on every IPv4 address. */
    explicit DravonSocket(QObject *parent = nullptr);
    ~DravonSocket() override;

    /**
     * Rebinds the socket to the entry's IPv4 address (ephemeral port) and
     * stores the entry's address, broadcast address and netmask. Returns
     * false, keeping the stored addresses, when the entry has no IPv4
     * address or the bind fails.
     */
    bool setInterface(const QNetworkAddressEntry &entry);

    /**
     * Writes one datagram to the dotted IPv4 text @p ip, port 6038. False
     * when @p ip is null or no IPv4 text, or the write fails.
     */
    bool sendPacket(const char *ip, const char *data, int len);

    /** sendPacket() to the stored broadcast address. */
    bool send(const char *data, int len);

    /**
     * Reads the next pending datagram into @p buffer (at most @p size bytes;
     * the rest of a longer datagram is discarded). Returns false when no
     * datagram is pending or the read fails. @p sender, @p port and
     * @p length (the number of bytes stored) may be null.
     */
    bool readPacket(char *buffer, int size, QHostAddress *sender, unsigned short *port,
                    int *length = nullptr);

    /** The address of the interface bound to, or the local address before. */
    QHostAddress interfaceAddress() const { return m_interfaceAddress; }
    /** Where send() writes to. */
    QHostAddress broadcastAddress() const { return m_broadcastAddress; }
    /** The interface's netmask in host order, 0 before setInterface(). */
    quint32 netmask() const { return m_netmask; }

    /**
     * Releases the socket's binding; waits up to 30 s if the socket does not
     * become unconnected at once.
     */
    void release();

private:
    bool writeTo(const QHostAddress &address, const char *data, int len);

    QHostAddress m_interfaceAddress;
    QHostAddress m_broadcastAddress;
    quint32 m_netmask = 0;
};
